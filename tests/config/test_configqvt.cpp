#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include "config/editortable.h"
#include "config/factoryset.h"
#include "editorharness.h"
#include "lang/extratexts.h"

using namespace orvex;
using test::EditorHarness;

namespace {

// A set the editor shows as it is: options in range, at most one of D+, W and pick-up.
ParameterSet randomShowableSet(QRandomGenerator& rng) {
  ParameterSet set;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) {
    const SlotInfo& info = slotInfo(k);
    if (info.encoding == Encoding::BytePairHigh || info.encoding == Encoding::BytePairLow)
      set[k] = static_cast<qint16>(rng.bounded(256));
    else if (info.options > 0)
      set[k] = static_cast<qint16>(1 + rng.bounded(info.options));
  }
  set[45] = static_cast<qint16>(rng.bounded(1, 13));
  set[46] = set[47] = 9;
  const int engineSignal = rng.bounded(4);  // none, D+, W, pick-up
  set[15] = engineSignal == 1 ? 1 : 2;
  set[19] = engineSignal == 2 ? 1 : 2;
  set[21] = engineSignal == 3 ? 1 : 2;
  return set;
}

QStringList controlsOfTheItemList() {
  QStringList names = {"SSTab1", "Frame2", "RVNF(1)", "Label7", "RVLIF(1)", "RVLI(12)",
                       "Label8", "RVLSF(1)", "RVLS(12)", "Label9", "RFNF(1)", "Label10",
                       "RFLF(1)", "RFL(6)", "Label11", "Frame20", "Label31", "Label32",
                       "Label33", "Label34", "RDRF", "RDR(9)", "Label12", "RIAF", "Label13",
                       "Frame100", "M_PRECAL", "MPCM(1)", "MPCM(2)", "MPCM(3)", "Label15",
                       "Frame1", "M_ARRANQUE", "M_T_A_M", "Label16", "MTE_A", "Label17",
                       "MNAM", "Label18", "MCA", "Label2", "Label1", "MCA_PA", "MCAPA",
                       "MCABD", "MCAFA", "MCACW", "MCAPU", "MCA_BD", "MCA_FA", "MCA_CW",
                       "MCA_PU", "MCALABIV", "Label14", "Frame101", "TRRED", "Label22",
                       "Frame6", "Label23", "TPRDG", "Frame4", "TIPPRD(1)", "TIPPRD(2)",
                       "Label20", "Frame5", "Label21", "Frame103", "RVNF(0)", "Label26",
                       "Label28", "AVLIF(0)", "AVLI(9)", "AVLS(9)", "AFL(9)", "Label24",
                       "AVLSF(0)", "Label25", "RVNF(2)", "PALAB2", "Label29", "RFLF(0)",
                       "Label27", "Frame3", "Label19", "Frame7", "Label42", "Label41",
                       "Label40", "Label38", "Frame200", "Frame201", "Frame202", "Frame203",
                       "Frame204", "Frame205", "Label30", "Frame206", "Frame19", "Frame18",
                       "ACCR(1)", "ACCR(2)", "Frame207", "TIPSIR(1)", "TIPSIR(2)", "Frame208",
                       "TESCON(1)", "TESCON(2)", "Frame209", "Label36", "PATEN", "PAFRE",
                       "RALMINT", "RALMAXT", "RALMINF", "RALMAXF", "AALMINT", "AALMAXT",
                       "AALMINF", "AALMAXF", "MCALABBD", "MCALABFA", "MCALABCW", "MCALABPU"};
  for (const char* frame : {"Frame8", "Frame11", "Frame13", "Frame15", "Frame17", "Frame9",
                            "Frame10", "Frame12", "Frame14", "Frame16"})
    names << frame;
  for (const char* input : {"ALARFUE", "ALAROIL", "ALARTEM", "ALAREXT", "ALAROVE"})
    for (const char* suffix : {"_PI", "_PT", "_SIR"}) names << QString(input) + suffix;
  for (int i = 1; i <= 6; ++i) names << QStringLiteral("Command%1").arg(i);
  return names;
}

}  // namespace

class ConfigQvtTest : public QObject {
  Q_OBJECT
 private slots:
  void everyNamedControlExists();
  void everyGroupHasItsMembersAndOneSelection();
  void loadStepsRunInOrderAndShowTheDefault();
  void failedDefaultGivesOneMessageAndFactorySelection();
  void showThenCollectRoundTrips();
  void dPlusAndWShownAsWOnly();
  void outOfRangeValuesGiveOneMessage();
  void numberBoxesTakeWholeNumbersOnly();
  void emptyNumberBoxCollectsZero();
  void numberBoxTextForTheReport();
  void readAndWriteButtons();
  void leaveHidesAndAnnounces();
  void closingTheFrameLeavesLikeSalir();
  void fileAndReportButtonsOpenTheirWindows();
  void buttonHoldsNeedTheirOwnRelease();
  void languageAppliedRespectsHolds();
  void tabCaptionsAndWindowTitle();
};

void ConfigQvtTest::everyNamedControlExists() {
  EditorHarness h;
  h.create(factoryParameterSet());
  for (const QString& name : controlsOfTheItemList())
    QVERIFY2(h.editor->findChild<QObject*>(name), qPrintable(name));
  for (const MappingStep& step : mappingSteps()) {
    if (step.kind == ControlKind::NumberBox) QVERIFY(h.find<QLineEdit>(step.control));
    if (step.kind == ControlKind::Flag) QVERIFY(h.find<QCheckBox>(step.control));
  }
}

void ConfigQvtTest::everyGroupHasItsMembersAndOneSelection() {
  EditorHarness h;
  h.create([](ParameterSet*, QString* problem) {
    *problem = "x";
    return false;
  });
  for (const MappingStep& step : mappingSteps()) {
    if (step.kind != ControlKind::OptionGroup) continue;
    int selected = 0;
    for (int i = 1; i <= optionCount(step); ++i) {
      auto* member = h.find<QRadioButton>(memberName(step.control, i));
      QVERIFY2(member, qPrintable(memberName(step.control, i)));
      selected += member->isChecked();
    }
    QVERIFY(!h.find<QRadioButton>(memberName(step.control, optionCount(step) + 1)));
    QCOMPARE(selected, 1);
  }
}

void ConfigQvtTest::loadStepsRunInOrderAndShowTheDefault() {
  ParameterSet set = factoryParameterSet();
  set[1] = 10;  // 400 V
  set[3] = 6;   // +15 %
  set[62] = 0x01;
  set[63] = 0xF4;
  set[45] = 1;
  EditorHarness h;
  h.create(set);
  QCOMPARE(h.loadLog, (QStringList{"serial", "default"}));
  QCOMPARE(h.context.configLeida, set);
  QVERIFY(h.messages.calls.isEmpty());
  QVERIFY(h.find<QRadioButton>("RVN(10)")->isChecked());
  QCOMPARE(h.find<QLineEdit>("VBAT")->text(), QString("500"));
  QCOMPARE(h.find<QLabel>("PATEN")->text(), QString("400V"));
  QCOMPARE(h.find<QLabel>("RALMAXT")->text(), QString("459V"));
  QCOMPARE(h.find<QLabel>("AALMAXT")->text(), QString("440V"));
  QVERIFY(h.context.configEditada == ParameterSet{});  // nothing collected yet
}

void ConfigQvtTest::failedDefaultGivesOneMessageAndFactorySelection() {
  EditorHarness h;
  h.context.configLeida[7] = 3;
  const ParameterSet before = h.context.configLeida;
  h.create([](ParameterSet* set, QString* problem) {
    (*set)[1] = 99;  // a failing reader must not leave half a set behind
    *problem = "File CONFIG/FACTORY.QVT holds fewer than 63 values.";
    return false;
  });
  QCOMPARE(h.messages.calls.size(), 1);
  QCOMPARE(h.messages.calls[0].icon, MessageIcon::Exclamation);
  QCOMPARE(h.messages.calls[0].prompt, QString("File CONFIG/FACTORY.QVT holds fewer than 63 values."));
  QVERIFY(!h.messages.calls[0].title.isEmpty());
  QCOMPARE(h.context.configLeida, before);
  h.editor->collectParameterSet();
  ParameterSet expected = factoryParameterSet();
  expected[45] = expected[46] = expected[47] = 0;
  QCOMPARE(h.context.configEditada, expected);
  QCOMPARE(h.find<QLabel>("RALMINT")->text(), QString("207V"));
}

void ConfigQvtTest::showThenCollectRoundTrips() {
  EditorHarness h;
  h.context.texts.message[34] = "Alternator frequency needs the alternator wired.";
  h.create(factoryParameterSet());
  QRandomGenerator rng(4242);
  for (int round = 0; round < 150; ++round) {
    const ParameterSet set = randomShowableSet(rng);
    h.context.configLeida = set;
    h.context.configEditada[45] = static_cast<qint16>(round);
    h.editor->showParameterSet();
    h.editor->collectParameterSet();
    for (int k = kFirstSlot; k <= kLastSlot; ++k) {
      const qint16 expected = k == 45 ? round : (k == 46 || k == 47) ? 0 : set[k];
      QVERIFY2(h.context.configEditada[k] == expected,
               qPrintable(QStringLiteral("round %1 slot %2").arg(round).arg(k)));
    }
  }
  for (const auto& call : h.messages.calls) QCOMPARE(call.icon, MessageIcon::Information);
}

void ConfigQvtTest::dPlusAndWShownAsWOnly() {
  EditorHarness h;
  h.create(factoryParameterSet());
  ParameterSet set = factoryParameterSet();
  set[15] = 1;
  set[19] = 1;
  set[21] = 2;
  h.context.configLeida = set;
  h.editor->showParameterSet();
  QVERIFY(!h.find<QCheckBox>("MCABD")->isChecked());
  QVERIFY(h.find<QCheckBox>("MCACW")->isChecked());
  h.editor->collectParameterSet();
  QCOMPARE(h.context.configEditada[15], qint16(2));
  QCOMPARE(h.context.configEditada[19], qint16(1));
}

void ConfigQvtTest::outOfRangeValuesGiveOneMessage() {
  EditorHarness h;
  h.create(factoryParameterSet());
  h.context.texts.extra[extra::OutOfRangeTitle] = "Valores sin opción";
  h.context.texts.extra[extra::OutOfRangePrompt] = "Ajustes sin opción: %1.";
  ParameterSet set = factoryParameterSet();
  set[2] = 0;
  set[4] = 4;
  set[27] = -2;
  h.context.configLeida = set;
  h.editor->showParameterSet();
  QCOMPARE(h.messages.calls.size(), 1);
  const auto& call = h.messages.calls[0];
  QCOMPARE(call.title, QString("Valores sin opción"));
  QVERIFY(call.prompt.startsWith("Ajustes sin opción: "));
  for (const char* slot : {"2 V_LIMINF_VRED = 0", "4 V_FREC_NOM = 4", "27 V_LIMINF_VGRP = -2"})
    QVERIFY2(call.prompt.contains(slot), qPrintable(call.prompt));
  QVERIFY(h.find<QRadioButton>("RVLI(4)")->isChecked());  // the group keeps its selection
  QVERIFY(h.find<QRadioButton>("RFN(1)")->isChecked());
  QCOMPARE(h.context.configLeida[4], qint16(4));  // the set keeps the number

  h.context.texts.extra = {};
  h.editor->showParameterSet();
  QCOMPARE(h.messages.calls.size(), 2);
  QVERIFY(!h.messages.calls[1].title.isEmpty());
  QVERIFY(h.messages.calls[1].prompt.contains("4 V_FREC_NOM = 4"));
}

void ConfigQvtTest::numberBoxesTakeWholeNumbersOnly() {
  EditorHarness h;
  h.create(factoryParameterSet());
  QLineEdit* box = h.find<QLineEdit>("MCAPUVAL");
  box->clear();
  QTest::keyClicks(box, "1-2a.3 4");
  QCOMPARE(box->text(), QString("1234"));
  QVERIFY(!box->toolTip().isEmpty());
  h.context.texts.extra[extra::NumberRange] = "Solo números enteros de 0 a 65535";
  emit h.events.languageApplied();
  QCOMPARE(h.find<QLineEdit>("VBAT")->toolTip(), h.context.texts.extra[extra::NumberRange]);
  box->clear();
  QTest::keyClicks(box, "70000");
  QCOMPARE(box->text(), QString("7000"));
  box->clear();
  QTest::keyClicks(box, "655359");
  QCOMPARE(box->text(), QString("65535"));
  h.editor->collectParameterSet();
  QCOMPARE(h.context.configEditada[54], qint16(255));
  QCOMPARE(h.context.configEditada[55], qint16(255));
}

void ConfigQvtTest::emptyNumberBoxCollectsZero() {
  EditorHarness h;
  h.create(factoryParameterSet());
  h.find<QLineEdit>("TSIRON")->clear();
  h.context.configEditada[58] = 7;
  h.context.configEditada[59] = 7;
  h.editor->collectParameterSet();
  QCOMPARE(h.context.configEditada[58], qint16(0));
  QCOMPARE(h.context.configEditada[59], qint16(0));
}

void ConfigQvtTest::numberBoxTextForTheReport() {
  ParameterSet set = factoryParameterSet();
  set[56] = 3;
  set[57] = 232;
  EditorHarness h;
  h.create(set);
  QCOMPARE(h.editor->numberBoxText("MCAIVVAL"), QString("1000"));
  QCOMPARE(h.editor->numberBoxText("RVN"), QString());
}

void ConfigQvtTest::readAndWriteButtons() {
  EditorHarness h;
  h.create(factoryParameterSet());
  QSignalSpy reads(&h.events, &AppEvents::readInstrumentRequested);
  ParameterSet atWrite;
  QObject::connect(&h.events, &AppEvents::writeInstrumentRequested,
                   [&h, &atWrite] { atWrite = h.context.configEditada; });
  h.find<QPushButton>("Command4")->click();
  QCOMPARE(reads.size(), 1);
  h.find<QRadioButton>("RVN(9)")->click();
  h.find<QPushButton>("Command5")->click();
  QCOMPARE(atWrite[1], qint16(9));  // collected before the write was asked for
  QCOMPARE(atWrite[46], qint16(0));
}

void ConfigQvtTest::leaveHidesAndAnnounces() {
  EditorHarness h;
  h.create(factoryParameterSet());
  QSignalSpy left(&h.events, &AppEvents::editorLeft);
  h.editor->show();
  h.find<QLineEdit>("VBAT")->setText("12");
  h.find<QPushButton>("Command6")->click();
  QVERIFY(h.editor->isHidden());
  QCOMPARE(left.size(), 1);
  h.editor->show();
  QCOMPARE(h.find<QLineEdit>("VBAT")->text(), QString("12"));  // kept, no new load
  QCOMPARE(h.loadLog.size(), 2);
}

void ConfigQvtTest::closingTheFrameLeavesLikeSalir() {
  EditorHarness h;
  h.create(factoryParameterSet());
  QSignalSpy left(&h.events, &AppEvents::editorLeft);
  h.editor->show();
  h.editor->close();
  QVERIFY(h.editor->isHidden());
  QCOMPARE(left.size(), 1);
  h.editor->close();  // already hidden: nothing more to announce
  QCOMPARE(left.size(), 1);
}

void ConfigQvtTest::fileAndReportButtonsOpenTheirWindows() {
  EditorHarness h;
  QWidget* report = nullptr;
  h.windows.add("Report", [&report] { return report = new QWidget; });
  h.create(factoryParameterSet());
  h.find<QPushButton>("Command2")->click();  // LoadFich not in this build: nothing happens
  h.find<QPushButton>("Command3")->click();
  QVERIFY(!report);
  h.find<QPushButton>("Command1")->click();
  QVERIFY(report);
  QVERIFY(report->isVisible());
  delete report;
}

void ConfigQvtTest::buttonHoldsNeedTheirOwnRelease() {
  EditorHarness h;
  h.create(factoryParameterSet());
  auto enabled = [&h](int n) {
    return h.find<QPushButton>(QStringLiteral("Command%1").arg(n))->isEnabled();
  };
  h.editor->setCommandButtonsEnabled(false);  // a file dialog
  h.editor->setCommandButtonEnabled(5, false);  // a transfer
  h.editor->setCommandButtonsEnabled(false);  // the transfer's own hold
  QCOMPARE(h.editor->commandButtonHolds(), 2);
  h.editor->setCommandButtonsEnabled(true);
  for (int n = 1; n <= 6; ++n) QVERIFY(!enabled(n));
  h.editor->setCommandButtonsEnabled(true);
  QVERIFY(enabled(1));
  QVERIFY(!enabled(5));
  h.editor->setCommandButtonEnabled(5, true);
  h.editor->setCommandButtonEnabled(5, true);  // an extra release holds nothing back later
  h.editor->setCommandButtonsEnabled(true);
  QCOMPARE(h.editor->commandButtonHolds(), 0);
  for (int n = 1; n <= 6; ++n) QVERIFY(enabled(n));
  h.editor->setCommandButtonEnabled(5, false);
  QVERIFY(!enabled(5));
  h.editor->setCommandButtonEnabled(0, false);  // no such button
  h.editor->setCommandButtonEnabled(7, false);
  QVERIFY(enabled(6));
}

void ConfigQvtTest::languageAppliedRespectsHolds() {
  EditorHarness h;
  h.create(factoryParameterSet());
  h.editor->setCommandButtonsEnabled(false);
  h.find<QPushButton>("Command3")->setEnabled(true);  // as a caption pass might
  emit h.events.languageApplied();
  QVERIFY(!h.find<QPushButton>("Command3")->isEnabled());
  h.editor->setCommandButtonsEnabled(true);
  h.find<QPushButton>("Command3")->setEnabled(false);
  emit h.events.languageApplied();
  QVERIFY(h.find<QPushButton>("Command3")->isEnabled());
}

void ConfigQvtTest::tabCaptionsAndWindowTitle() {
  EditorHarness h;
  h.create(factoryParameterSet());
  auto* tabs = h.find<QTabWidget>("SSTab1");
  QCOMPARE(tabs->count(), 5);
  QCOMPARE(tabs->tabText(4), QString("Entradas Digitales      "));
  const QStringList frames = {"Frame2", "Frame100", "Frame101", "Frame103", "Frame200"};
  for (int i = 0; i < 5; ++i)
    QVERIFY(tabs->widget(i)->findChild<QGroupBox*>(frames[i]));
  QCOMPARE(h.editor->windowTitle(),
           QString::fromUtf8("Configuración Instrumentos ORVEX  y  ORVEX-LT"));
  QCOMPARE(h.find<QPushButton>("Command5")->text(), QString("Graba QVT"));
}

QTEST_MAIN(ConfigQvtTest)
#include "test_configqvt.moc"
