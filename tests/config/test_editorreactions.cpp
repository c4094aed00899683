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
  void showSet(const ParameterSet& set) {
    context.configLeida = set;
    editor->showParameterSet();
  }
};

}  // namespace

class EditorReactionsTest : public QObject {
  Q_OBJECT
 private slots:
  void engineSignalsExcludeEachOther_data();
  void engineSignalsExcludeEachOther();
  void inactiveConditionColours();
  void clearingPickUpTicksNothingElse();
  void oilAndAlternatorFrequencyCombineWithAnEngineSignal();
  void alternatorFrequencyAsksFirst();
  void shownConditionStatesFollowTheFlags();
  void noPreheatingGreysTheTimes();
  void stopsExcludeEachOtherWithoutChainReaction();
  void clickingTickedImmediateStopClearsIt();
  void showingCode3AfterCode4();
  void sirenOffTimeColours();
  void voltageLabelsFollowEveryChange();
  void frequencyLabelsFollowEveryChange();
  void noAlarmUsesScreenText13AndLanguageChange();
};

void EditorReactionsTest::engineSignalsExcludeEachOther_data() {
  QTest::addColumn<QString>("clicked");
  QTest::addColumn<QStringList>("others");
  QTest::newRow("D+") << "MCABD" << QStringList{"MCACW", "MCAPU"};
  QTest::newRow("W") << "MCACW" << QStringList{"MCAPU", "MCABD"};
  QTest::newRow("pick-up") << "MCAPU" << QStringList{"MCACW", "MCABD"};
}

void EditorReactionsTest::engineSignalsExcludeEachOther() {
  QFETCH(QString, clicked);
  QFETCH(QStringList, others);
  Fixture f;
  for (const QString& other : others) {
    f.box(qPrintable(other))->click();
    QVERIFY(f.box(qPrintable(other))->isChecked());
  }
  f.box(qPrintable(clicked))->click();
  QVERIFY(f.box(qPrintable(clicked))->isChecked());
  QVERIFY(f.active(qPrintable(clicked), qPrintable(clicked + "MOD")));
  for (const QString& other : others) {
    QVERIFY(!f.box(qPrintable(other))->isChecked());
    QVERIFY(!f.active(qPrintable(other), qPrintable(other + "MOD")));
  }
}

void EditorReactionsTest::inactiveConditionColours() {
  Fixture f;
  f.box("MCACW")->click();
  QLineEdit* wBox = f.find<QLineEdit>("MCACWVAL");
  QCOMPARE(boxBackground(wBox), colours::kWhite);
  QCOMPARE(boxTextColour(wBox), kBlack);
  QCOMPARE(textColour(f.find<QLabel>("MCALABCW")), kBlack);
  f.box("MCAPU")->click();
  QCOMPARE(boxBackground(wBox), colours::kLightYellow);
  QCOMPARE(boxTextColour(wBox), kGrey);
  QCOMPARE(textColour(f.find<QLabel>("MCALABCW")), kGrey);
  QCOMPARE(textColour(f.box("MCACW")), kGrey);
  QVERIFY(wBox->isEnabled());  // only the colours mark the state
  QCOMPARE(boxBackground(f.find<QLineEdit>("MCAIVVAL")), colours::kWhite);
  QCOMPARE(textColour(f.find<QLabel>("MCALABIV")), kBlack);
}

void EditorReactionsTest::clearingPickUpTicksNothingElse() {
  Fixture f;
  f.box("MCAPU")->click();
  f.box("MCAPU")->click();
  for (const char* name : {"MCAPU", "MCABD", "MCACW"}) QVERIFY(!f.box(name)->isChecked());
  QVERIFY(!f.active("MCAPU", "MCAPUMOD"));
}

void EditorReactionsTest::oilAndAlternatorFrequencyCombineWithAnEngineSignal() {
  Fixture f;
  f.box("MCAPA")->click();
  f.box("MCAFA")->click();
  f.box("MCAPU")->click();
  f.box("MCABD")->click();
  QVERIFY(f.box("MCAPA")->isChecked());
  QVERIFY(f.box("MCAFA")->isChecked());
  QVERIFY(f.box("MCABD")->isChecked());
  QVERIFY(!f.box("MCAPU")->isChecked());
  QVERIFY(f.active("MCAPA", "MCAPAMOD"));
  QVERIFY(f.active("MCAFA", "MCAFAMOD"));
  f.box("MCAPA")->click();
  QVERIFY(!f.active("MCAPA", "MCAPAMOD"));
  QVERIFY(f.active("MCAFA", "MCAFAMOD"));
}

void EditorReactionsTest::alternatorFrequencyAsksFirst() {
  Fixture f;
  bool activeWhileAsking = true;
  f.messages.onShow = [&f, &activeWhileAsking](const auto&) {
    activeWhileAsking = f.active("MCAFA", "MCAFAMOD");
  };
  f.box("MCAFA")->click();
  QCOMPARE(f.messages.calls.size(), 1);
  QCOMPARE(f.messages.calls[0].icon, MessageIcon::Information);
  QCOMPARE(f.messages.calls[0].prompt, f.context.texts.message[34]);
  QCOMPARE(f.messages.calls[0].title, f.context.texts.message[35]);
  QVERIFY(!activeWhileAsking);  // the message comes before the state changes
  QVERIFY(f.active("MCAFA", "MCAFAMOD"));
  f.box("MCAFA")->click();  // clearing asks nothing
  QCOMPARE(f.messages.calls.size(), 1);
  QVERIFY(!f.active("MCAFA", "MCAFAMOD"));
}

void EditorReactionsTest::shownConditionStatesFollowTheFlags() {
  Fixture f;
  ParameterSet set = factoryParameterSet();
  set[13] = 1;
  set[15] = 2;
  set[17] = 1;
  set[21] = 1;
  f.showSet(set);
  QCOMPARE(f.messages.calls.size(), 1);  // the alternator frequency became ticked
  QVERIFY(f.active("MCAPA", "MCAPAMOD"));
  QVERIFY(!f.active("MCABD", "MCABDMOD"));
  QVERIFY(f.active("MCAFA", "MCAFAMOD"));
  QVERIFY(f.active("MCAPU", "MCAPUMOD"));
  f.showSet(set);  // already ticked: nothing to say again
  QCOMPARE(f.messages.calls.size(), 1);
}

void EditorReactionsTest::noPreheatingGreysTheTimes() {
  Fixture f;
  f.option("MPCM(2)")->click();
  f.option("MPC(6)")->click();
  f.option("MPCM(1)")->click();
  for (int i = 1; i <= 8; ++i) {
    QRadioButton* time = f.find<QRadioButton>(QStringLiteral("MPC(%1)").arg(i));
    QVERIFY(!time->isEnabled());
    QCOMPARE(textColour(time), kGrey);
  }
  QVERIFY(f.option("MPC(6)")->isChecked());
  f.option("MPCM(3)")->click();
  QVERIFY(f.option("MPC(1)")->isEnabled());
  QCOMPARE(textColour(f.option("MPC(8)")), kBlack);
  QVERIFY(f.option("MPC(6)")->isChecked());
  f.editor->collectParameterSet();
  QCOMPARE(f.context.configEditada[9], qint16(6));
}

void EditorReactionsTest::stopsExcludeEachOtherWithoutChainReaction() {
  Fixture f;
  f.showSet([] {
    ParameterSet s = factoryParameterSet();
    s[32] = 6;
    return s;
  }());
  f.box("ALARFUE_PI")->click();
  f.box("ALARFUE_PT")->click();
  QVERIFY(f.box("ALARFUE_PT")->isChecked());
  QVERIFY(!f.box("ALARFUE_PI")->isChecked());
  f.editor->collectParameterSet();
  QCOMPARE(f.context.configEditada[32], qint16(4));
  f.box("ALARFUE_SIR")->click();
  f.editor->collectParameterSet();
  QCOMPARE(f.context.configEditada[32], qint16(5));
  f.box("ALARFUE_PI")->click();
  QVERIFY(f.box("ALARFUE_PI")->isChecked());
  QVERIFY(!f.box("ALARFUE_PT")->isChecked());
  QVERIFY(f.box("ALARFUE_SIR")->isChecked());  // the siren combines with either stop
}

void EditorReactionsTest::clickingTickedImmediateStopClearsIt() {
  Fixture f;
  ParameterSet set = factoryParameterSet();
  set[34] = 1;
  f.showSet(set);
  f.box("ALAROIL_PI")->click();
  QVERIFY(!f.box("ALAROIL_PI")->isChecked());
  QVERIFY(!f.box("ALAROIL_PT")->isChecked());
  f.editor->collectParameterSet();
  QCOMPARE(f.context.configEditada[34], qint16(6));
}

void EditorReactionsTest::showingCode3AfterCode4() {
  Fixture f;
  ParameterSet set = factoryParameterSet();
  set[38] = 4;
  f.showSet(set);
  set[38] = 3;
  f.showSet(set);
  QVERIFY(f.box("ALAREXT_PI")->isChecked());
  QVERIFY(!f.box("ALAREXT_PT")->isChecked());
  QVERIFY(f.box("ALAREXT_SIR")->isChecked());
  set[38] = 4;
  f.showSet(set);
  QVERIFY(!f.box("ALAREXT_PI")->isChecked());
  QVERIFY(f.box("ALAREXT_PT")->isChecked());
  QVERIFY(!f.box("ALAREXT_SIR")->isChecked());
}

void EditorReactionsTest::sirenOffTimeColours() {
  Fixture f;
  QLineEdit* off = f.find<QLineEdit>("TSIROFF");
  f.option("TIPSIR(2)")->click();
  QCOMPARE(boxBackground(off), colours::kWhite);
  QCOMPARE(boxTextColour(off), kBlack);
  off->setText("45");
  f.option("TIPSIR(1)")->click();
  QCOMPARE(boxBackground(off), colours::kLightRed);
  QCOMPARE(boxTextColour(off), kGrey);
  QVERIFY(off->isEnabled());
  f.editor->collectParameterSet();
  QCOMPARE(f.context.configEditada[60], qint16(0));
  QCOMPARE(f.context.configEditada[61], qint16(45));
}

void EditorReactionsTest::voltageLabelsFollowEveryChange() {
  Fixture f;
  f.option("RVLS(6)")->click();
  f.option("AVLS(5)")->click();
  f.option("RVLI(1)")->click();
  f.option("RVN(10)")->click();
  QCOMPARE(f.label("PATEN"), QString("400V"));
  QCOMPARE(f.label("RALMAXT"), QString("459V"));
  QCOMPARE(f.label("AALMAXT"), QString("459V"));
  f.option("RVN(7)")->click();
  QCOMPARE(f.label("RALMINT"), QString("225V"));
  QCOMPARE(f.label("RALMAXT"), QString("264V"));
  QCOMPARE(f.label("AALMINT"), QString("207V"));
  f.option("AVLI(1)")->click();
  QCOMPARE(f.label("AALMINT"), QString("225V"));
  QCOMPARE(f.label("RALMINT"), QString("225V"));
}

void EditorReactionsTest::frequencyLabelsFollowEveryChange() {
  Fixture f;
  f.option("RFL(1)")->click();
  f.option("AFL(6)")->click();
  QCOMPARE(f.label("RALMINF"), QString("49.75Hz"));
  QCOMPARE(f.label("RALMAXF"), QString("50.25Hz"));
  QCOMPARE(f.label("AALMINF"), QString("45Hz"));
  QCOMPARE(f.label("AALMAXF"), QString("54Hz"));
  f.option("RFN(2)")->click();
  QCOMPARE(f.label("PAFRE"), QString("60Hz"));
  QCOMPARE(f.label("RALMINF"), QString("59.7Hz"));
  QCOMPARE(f.label("AALMINF"), QString("55Hz"));
  QCOMPARE(f.label("AALMAXF"), QString("65Hz"));
}

void EditorReactionsTest::noAlarmUsesScreenText13AndLanguageChange() {
  Fixture f;
  f.option("RVLI(12)")->click();
  QCOMPARE(f.label("RALMINT"), QString("No Activada"));  // texts not loaded yet
  QVERIFY(f.label("RALMAXT").endsWith("V"));
  f.context.texts.screen[13] = "Not active";
  emit f.events.languageApplied();
  QCOMPARE(f.label("RALMINT"), QString("Not active"));
  f.option("AFL(9)")->click();
  QCOMPARE(f.label("AALMINF"), QString("Not active"));
  QCOMPARE(f.label("AALMAXF"), QString("Not active"));
  QVERIFY(f.label("AALMINT").endsWith("V"));
}

QTEST_MAIN(EditorReactionsTest)
#include "test_editorreactions.moc"
