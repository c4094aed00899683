#include <QtTest>

#include "config/limitlabels.h"

using namespace orvex;

class LimitLabelsTest : public QObject {
  Q_OBJECT
 private slots:
  void mainsVoltage_data() {
    QTest::addColumn<QList<int>>("options");  // RVN, RVLI, RVLS
    QTest::addColumn<QString>("labels");      // lower upper
    QTest::newRow("230 V -2 % rounds 225.4 down") << QList<int>{7, 1, 1} << "225V 234V";
    QTest::newRow("400 V +15 % lies just below 460") << QList<int>{10, 6, 6} << "340V 459V";
    QTest::newRow("63 V -40 % +40 %") << QList<int>{1, 11, 11} << "37V 88V";
    QTest::newRow("480 V no alarm both") << QList<int>{12, 12, 12} << "none none";
  }
  void mainsVoltage() {
    QFETCH(QList<int>, options);
    const LimitLabels got = mainsLimitLabels({options[0], options[1], options[2], 1, 1}, "none");
    QTEST(got.lowerVoltage + " " + got.upperVoltage, "labels");
  }
  void mainsFrequency_data() {
    QTest::addColumn<QList<int>>("options");  // RFN, RFL
    QTest::addColumn<QString>("labels");      // lower upper
    QTest::newRow("50 Hz 0.7 %") << QList<int>{1, 2} << "49.65Hz 50.35Hz";
    QTest::newRow("400 Hz 1.5 % not rounded") << QList<int>{3, 4} << "394Hz 406Hz";
    QTest::newRow("60 Hz 1.5 %") << QList<int>{2, 4} << "59.1Hz 60.9Hz";
    QTest::newRow("no alarm") << QList<int>{1, 6} << "none none";
  }
  void mainsFrequency() {
    QFETCH(QList<int>, options);
    const LimitLabels got = mainsLimitLabels({7, 1, 1, options[0], options[1]}, "none");
    QTEST(got.lowerFrequency + " " + got.upperFrequency, "labels");
  }
  void alternator_data() {
    QTest::addColumn<QList<int>>("input");  // volts, hertz, AVLI, AVLS, AFL
    QTest::addColumn<QString>("labels");    // voltages, frequencies
    QTest::newRow("50 Hz 8.3 % rounded down") << QList<int>{230, 50, 5, 5, 6} << "195V 264V 45Hz 54Hz";
    QTest::newRow("50 Hz 7.5 % keeps decimals") << QList<int>{400, 50, 8, 8, 5}
                                                << "240V 560V 46.25Hz 53.75Hz";
    QTest::newRow("400 V +15 % alternator") << QList<int>{400, 400, 6, 5, 8} << "320V 459V 340Hz 460Hz";
    QTest::newRow("no alarm everywhere") << QList<int>{230, 50, 9, 9, 9} << "- - - -";
  }
  void alternator() {
    QFETCH(QList<int>, input);
    const LimitLabels got =
        alternatorLimitLabels(input[0], input[1], {input[2], input[3], input[4]}, "-");
    const QStringList labels = {got.lowerVoltage, got.upperVoltage, got.lowerFrequency, got.upperFrequency};
    QTEST(labels.join(' '), "labels");
  }
  void nominalTexts() {
    QCOMPARE(nominalVoltageText(1) + nominalVoltageText(12) + nominalFrequencyText(3), "63V480V400Hz");
    QCOMPARE(nominalVoltage(0) + nominalFrequency(4), 0);
  }
  // Binary error hidden at 15 digits, no trailing zeros, no group separator.
  void formatNumber() {
    QStringList texts;
    for (const double value : {50 * 0.995, 55.0, 60.6, 123456789.0, 0.125})
      texts << orvex::formatNumber(value);
    QCOMPARE(texts, (QStringList{"49.75", "55", "60.6", "123456789", "0.125"}));
    QCOMPARE(orvex::formatNumber(49.75, ','), QString("49,75"));
  }
};

QTEST_APPLESS_MAIN(LimitLabelsTest)
#include "test_limitlabels.moc"
