#include <QTest>

#include "reportfixtures.h"
#include "reports/reportrender.h"

using namespace orvex;

namespace {

QString field(const QStringList& values, const char* name) {
  const int i = reportFieldNames().indexOf(QString::fromUtf8(name));
  return i < 0 ? QStringLiteral("<no such field>") : values.value(i);
}

QString renderedField(const ReportInput& in, const char* name) {
  return field(renderReportValues(in), name);
}

}  // namespace

class TestReportRender : public QObject {
  Q_OBJECT
 private slots:
  // Every field of the hand-worked configuration.
  void handWorkedConfiguration() {
    const QString language = QStringLiteral("en");
    const QStringList v = renderReportValues(test::handWorkedInput(language));
    QCOMPARE(v.size(), 80);
    const auto t = [&](int n) { return language + ':' + QString::number(n); };
    const int labels[29] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 16, 22, 23,
                            24, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 39, 42, 45};
    for (int i = 0; i < 29; ++i) QCOMPARE(v[i], t(labels[i]));
    // clang-format off
    const QStringList expected = {
        "230 V", "-10% (207 V)", t(46), "50 Hz", "-0.5% (49.75 Hz)", "+0.5% (50.25 Hz)",
        t(47), "5 sec",                                      // V_RET_DRED, V_RET_AGRP
        t(14), "15 sec", "2 sec", "5 sec", "6",              // preheating .. attempts
        t(17) + ", OR", t(19) + "12 V, AND", "",             // oil, D+, alternator freq.
        t(18) + "1500 RPM, 4 P/T, OR",                       // pick-up (W not selected)
        "20 sec", "30 sec", t(26), "5 sec",                  // stop sequence
        "-5% (218 V)", t(46), "-8.3% (45.85 Hz)", "+8.3% (54.15 Hz)", "60 sec",
        "+Vbat", "x", "", "",                                // fuel: immediate stop
        "+Vbat", "x", "", "x",                               // temperature: 3
        "GND", "", "x", "",                                  // external: timed stop
        "+Vbat", "", "x", "x",                               // overload: 5
        "GND", "", "", "x",                                  // oil: siren only
        t(38), t(40) + "Ton = 10 sec     &    Toff = 20 sec", t(43), "9 V", "SN 0042"};
    // clang-format on
    QCOMPARE(v.mid(29), expected);
  }

  void singleFields_data() {
    QTest::addColumn<QList<int>>("slotOptionPairs");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, QList<int> slotOptionPairs, const char* field,
                        const char* expected, const char* box = "", const char* boxText = "") {
      QTest::newRow(name) << slotOptionPairs << QString(box) << QString(boxText) << QString(field)
                          << QString(expected);
    };
    row("100 V -7 % is 93 V", {1, 2, 2, 3}, "V_LIMINF_VRED", "-7% (93 V)");
    row("230 V +12 % truncates", {3, 5}, "V_LIMSUP_VRED", "+12% (257 V)");
    row("60 Hz, 8.3 % lower", {4, 2, 29, 6}, "V_LIMINF_FGRP", "-8.3% (55.02 Hz)");
    row("mains band no alarm", {5, 6}, "V_LIMSUP_FRED", "t:46");
    row("no preheating", {8, 1}, "V_TIPO_PRE", "t:15");
    row("no preheating, no time", {8, 1}, "V_TIEMPO_PRE", "");
    row("every attempt", {8, 3, 9, 8}, "V_TIPO_PRE", "t:13");
    row("preheating 0: both empty", {8, 0}, "V_TIPO_PRE", "");
    row("W wins over pick-up", {19, 1, 20, 2, 21, 1}, "V_CA_CW_PU", "t:2025 Hz, AND", "MCACWVAL",
        "25");
    row("neither W nor pick-up", {19, 2, 21, 2}, "V_CA_CW_PU", "");
    row("frequency condition", {17, 1, 18, 1}, "V_CA_FRECA", "t:2145 Hz, OR", "MCAFAVAL", "45");
    row("oil not selected", {13, 2}, "V_CA_OIL", "");
    row("combination 0 is AND", {13, 1, 14, 0}, "V_CA_OIL", "t:17, AND");
    row("stop by excitation", {25, 1}, "V_TIPO_PARADA", "t:25");
    row("action 6 marks none", {32, 6}, "V_FUEL_SIR", "");
    row("siren once", {43, 1}, "V_TIPO_SIR", "t:41Ton = 7 sec", "TSIRON", "7");
    row("remote sequence 1", {42, 1}, "V_CTROL_RMTO", "t:37");
    row("no contactor check", {44, 2}, "V_TEST_CONT", "t:44");
    row("option 0 voltage", {1, 0}, "V_VOLTAGE_NOM", "0 V");
    row("beyond last option", {4, 4}, "V_FREC_NOM", "5555 Hz");
  }
  void singleFields() {
    QFETCH(QList<int>, slotOptionPairs);
    QFETCH(QString, boxName);
    QFETCH(QString, boxText);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    ReportInput in = test::handWorkedInput(QStringLiteral("t"));
    for (int i = 0; i + 1 < slotOptionPairs.size(); i += 2)
      in.set[slotOptionPairs[i]] = static_cast<qint16>(slotOptionPairs[i + 1]);
    if (!boxName.isEmpty()) in.numberBoxes[boxName] = boxText;
    QCOMPARE(renderedField(in, field.toUtf8().constData()), expected);
  }

  // Two TAB-separated lines ended by CR LF; the header the same in every language.
  void twoTabSeparatedLinesWithCrLf() {
    const QStringList es = renderReport(test::handWorkedInput("es")).split("\r\n");
    const QStringList en = renderReport(test::handWorkedInput("en")).split("\r\n");
    QVERIFY(es.size() == 3 && es[2].isEmpty());
    QCOMPARE(es[0].split('\t'), reportFieldNames());
    QCOMPARE(es[1].split('\t'), renderReportValues(test::handWorkedInput("es")));
    QVERIFY(es[0] == en[0] && es[1] != en[1]);
    ReportInput broken = test::handWorkedInput("es");
    broken.texts[1] = "a\tb\rc\nd";  // inside a field each becomes a blank
    QCOMPARE(renderReport(broken).split("\r\n")[1].split('\t')[0], QString("a b c d"));
  }

  // Two decimals at most, a binary fraction rounded, no trailing zeros, no negative zero.
  void reportNumberFormatting() {
    QStringList texts;
    for (const double value : {49.75, 50 * (1 + 0.007), 55.0, 8.3, 0.0, -0.0})
      texts << reportNumber(value);
    QCOMPARE(texts, (QStringList{"49.75", "50.35", "55", "8.3", "0", "0"}));
  }
  void numberFromText() {
    QList<double> values;
    for (const char* text : {"", "  12 ", "12V", "11.5", "abc", "-"})
      values << orvex::numberFromText(text);
    QCOMPARE(values, (QList<double>{0, 12, 12, 11.5, 0, 0}));
  }
};

QTEST_GUILESS_MAIN(TestReportRender)
#include "test_reportrender.moc"
