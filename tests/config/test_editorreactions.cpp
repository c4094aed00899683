#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "config/factoryset.h"
#include "config/ui/widgetstyle.h"
#include "editorharness.h"

using namespace orvex;
using test::EditorHarness;

namespace {

const QColor kBlack = colours::kBlack;
const QColor kGrey = colours::kGrey;

QString names(std::initializer_list<QColor> colours) {
  QStringList out;
  for (const QColor& c : colours) out << c.name();
  return out.join(' ');
}

struct Fixture : EditorHarness {
  Fixture() {
    context.texts.message[34] = "Check the alternator frequency threshold.";
    context.texts.message[35] = "Alternator frequency";
    create(factoryParameterSet());
  }
  QCheckBox* box(const char* name) const { return find<QCheckBox>(name); }
  QRadioButton* option(const char* name) const { return find<QRadioButton>(name); }
  QString label(const char* name) const { return find<QLabel>(name)->text(); }
  bool active(const char* check, const char* combination) const {
    const bool checkBlack = textColour(box(check)) == kBlack;
    const bool orEnabled = option(qPrintable(QString(combination) + "(1)"))->isEnabled();
    const bool andEnabled = option(qPrintable(QString(combination) + "(2)"))->isEnabled();
    if (checkBlack != orEnabled || orEnabled != andEnabled) qWarning("mixed display state");
    return checkBlack && orEnabled && andEnabled;
  }
  // The ticked engine conditions ("PA BD FA CW PU"); a condition shown unlike its box is named.
  QString conditions() const {
    QStringList on;
    for (const char* check : {"MCAPA", "MCABD", "MCAFA", "MCACW", "MCAPU"}) {
      const bool ticked = box(check)->isChecked();
      if (ticked != active(check, qPrintable(QString(check) + "MOD")))
        return "shown wrongly: " + QString(check);
      if (ticked) on << QString(check).mid(3);
    }
    return on.join(' ');
  }
  // The ticked actions of an input, e.g. "PI SIR".
  QString ticked(const char* input) const {
    QStringList on;
    for (const char* action : {"PI", "PT", "SIR"})
      if (box(qPrintable(QStringLiteral("%1_%2").arg(input, action)))->isChecked()) on << action;
    return on.join(' ');
  }
  void showSet(const ParameterSet& set) {
    context.configLeida = set;
    editor->showParameterSet();
  }
};

}  // namespace

class EditorReactionsTest : public QObject {
  Q_OBJECT
 private slots:
  // clang-format off
  void engineConditionsAfterClicks_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("conditions");
    QTest::newRow("D+ clears W and pick-up") << "MCACW MCAPU MCABD" << "BD";
    QTest::newRow("W clears pick-up and D+") << "MCAPU MCABD MCACW" << "CW";
    QTest::newRow("pick-up clears D+ and W") << "MCABD MCACW MCAPU" << "PU";
    QTest::newRow("clearing pick-up ticks nothing else") << "MCAPU MCAPU" << "";
    QTest::newRow("oil and frequency combine with a signal") << "MCAPA MCAFA MCAPU MCABD" << "PA BD FA";
  }
  // clang-format on
  void engineConditionsAfterClicks() {
    QFETCH(QString, clicks);
    Fixture f;
    for (const QString& name : clicks.split(' ')) f.box(qPrintable(name))->click();
    QTEST(f.conditions(), "conditions");
  }
  void inactiveConditionColours() {
    Fixture f;
    f.box("MCACW")->click();
    QLineEdit* wBox = f.find<QLineEdit>("MCACWVAL");
    const auto wLook = [&f, wBox] {  // box background, box text, unit label, check box
      return names({boxBackground(wBox), boxTextColour(wBox),
                    textColour(f.find<QLabel>("MCALABCW")), textColour(f.box("MCACW"))});
    };
    QCOMPARE(wLook(), names({colours::kWhite, kBlack, kBlack, kBlack}));
    f.box("MCAPU")->click();
    QCOMPARE(wLook(), names({colours::kLightYellow, kGrey, kGrey, kGrey}));
    QVERIFY(wBox->isEnabled());  // only the colours mark the state
    QLineEdit* ivBox = f.find<QLineEdit>("MCAIVVAL");
    QCOMPARE(names({boxBackground(ivBox), textColour(f.find<QLabel>("MCALABIV"))}),
             names({colours::kWhite, kBlack}));
  }
  void alternatorFrequencyAsksFirst() {
    Fixture f;
    bool activeWhileAsking = true;
    f.messages.onShow = [&f, &activeWhileAsking](const auto&) {
      activeWhileAsking = f.active("MCAFA", "MCAFAMOD");
    };
    f.box("MCAFA")->click();
    QCOMPARE(f.messages.shown(),
             QStringList{"I Check the alternator frequency threshold.|Alternator frequency"});
    QVERIFY(!activeWhileAsking);  // the message comes before the state changes
    QCOMPARE(f.conditions(), QString("BD FA"));
    f.box("MCAFA")->click();  // clearing asks nothing
    QCOMPARE(f.messages.calls.size(), 1);
  }
  void shownConditionStatesFollowTheFlags() {
    Fixture f;
    ParameterSet set = factoryParameterSet();
    set[13] = set[17] = set[21] = 1;
    set[15] = 2;
    f.showSet(set);
    QCOMPARE(f.conditions(), QString("PA FA PU"));
    QCOMPARE(f.messages.calls.size(), 1);  // the alternator frequency became ticked
    f.showSet(set);                        // already ticked: nothing to say again
    QCOMPARE(f.messages.calls.size(), 1);
  }
  void noPreheatingGreysTheTimes() {
    Fixture f;
    f.option("MPCM(2)")->click();
    f.option("MPC(6)")->click();
    f.option("MPCM(1)")->click();
    for (int i = 1; i <= 8; ++i) {
      QRadioButton* time = f.find<QRadioButton>(QStringLiteral("MPC(%1)").arg(i));
      QVERIFY(!time->isEnabled() && textColour(time) == kGrey);
    }
    QVERIFY(f.option("MPC(6)")->isChecked());
    f.option("MPCM(3)")->click();
    QVERIFY(f.option("MPC(1)")->isEnabled() && textColour(f.option("MPC(8)")) == kBlack);
    QVERIFY(f.option("MPC(6)")->isChecked());
    f.editor->collectParameterSet();
    QCOMPARE(f.context.configEditada[9], qint16(6));
  }
  // Shown from `code`, then the action boxes clicked: what stays ticked and the code collected.
  // clang-format off
  void actionClicks_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("result");
    QTest::newRow("stops exclude each other") << 32 << 6 << "PI PT" << "PT 4";
    QTest::newRow("no chain reaction") << 32 << 6 << "PI PT SIR" << "PT SIR 5";
    QTest::newRow("the siren combines with either stop") << 32 << 6 << "PI PT SIR PI" << "PI SIR 3";
    QTest::newRow("ticked immediate stop cleared") << 34 << 1 << "PI" << " 6";
  }
  // clang-format on
  void actionClicks() {
    QFETCH(int, slot);
    QFETCH(QString, clicks);
    const QString input = slot == 32 ? "ALARFUE" : "ALAROIL";
    Fixture f;
    ParameterSet set = factoryParameterSet();
    QFETCH(int, code);
    set[slot] = qint16(code);
    f.showSet(set);
    for (const QString& action : clicks.split(' '))
      f.box(qPrintable(input + "_" + action))->click();
    f.editor->collectParameterSet();
    QTEST(f.ticked(qPrintable(input)) + " " + QString::number(f.context.configEditada[slot]),
          "result");
  }
  void sirenOffTimeColours() {
    Fixture f;
    QLineEdit* off = f.find<QLineEdit>("TSIROFF");
    f.option("TIPSIR(2)")->click();
    QCOMPARE(names({boxBackground(off), boxTextColour(off)}), names({colours::kWhite, kBlack}));
    off->setText("45");
    f.option("TIPSIR(1)")->click();
    QCOMPARE(names({boxBackground(off), boxTextColour(off)}), names({colours::kLightRed, kGrey}));
    QVERIFY(off->isEnabled());
    f.editor->collectParameterSet();
    const ParameterSet& got = f.context.configEditada;
    QCOMPARE(QList<qint16>({got[60], got[61]}), QList<qint16>({0, 45}));
  }
  // The label arithmetic has its own test; here each label follows the options it depends on,
  // whichever of them changes last.
  // clang-format off
  void limitLabelsFollowEveryChange_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("nominal") << "RVN(10)" << "PATEN" << "400V";
    QTest::newRow("mains upper, nominal last") << "RVLS(6) RVN(10)" << "RALMAXT" << "459V";
    QTest::newRow("alternator upper, nominal last") << "AVLS(5) RVN(10)" << "AALMAXT" << "459V";
    QTest::newRow("alternator lower") << "AVLI(1)" << "AALMINT" << "225V";
    QTest::newRow("mains frequency lower") << "RFL(1)" << "RALMINF" << "49.75Hz";
    QTest::newRow("alternator frequency upper") << "AFL(6)" << "AALMAXF" << "54Hz";
    QTest::newRow("alternator frequency keeps decimals") << "AFL(5)" << "AALMINF" << "46.25Hz";
    QTest::newRow("nominal frequency") << "RFN(2)" << "PAFRE" << "60Hz";
    QTest::newRow("mains frequency, nominal last") << "RFL(1) RFN(2)" << "RALMINF" << "59.7Hz";
    QTest::newRow("alternator frequency, nominal last") << "AFL(6) RFN(2)" << "AALMINF" << "55Hz";
  }
  // clang-format on
  void limitLabelsFollowEveryChange() {
    QFETCH(QString, clicks);
    QFETCH(QString, label);
    Fixture f;
    for (const QString& name : clicks.split(' ')) f.option(qPrintable(name))->click();
    QTEST(f.label(qPrintable(label)), "text");
  }
  void noAlarmUsesScreenText13AndLanguageChange() {
    Fixture f;
    f.option("RVLI(12)")->click();
    QCOMPARE(f.label("RALMINT"), QString("Not Active"));  // not loaded yet: the built-in English
    QVERIFY(f.label("RALMAXT").endsWith("V"));
    f.context.texts.screen[13] = "Not active";
    emit f.events.languageApplied();
    QCOMPARE(f.label("RALMINT"), QString("Not active"));
    f.option("AFL(9)")->click();
    QCOMPARE(f.label("AALMINF") + "|" + f.label("AALMAXF"), QString("Not active|Not active"));
    QVERIFY(f.label("AALMINT").endsWith("V"));
  }
};

QTEST_MAIN(EditorReactionsTest)
#include "test_editorreactions.moc"
