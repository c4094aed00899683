#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include "config/editormodel.h"
#include "config/editortable.h"
#include "config/factoryset.h"
#include "config/limitlabels.h"
#include "config/slottable.h"
#include "config/ui/widgetstyle.h"
#include "editorharness.h"
#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "support/tempprogramdir.h"

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
    else if (info.options > 0) set[k] = static_cast<qint16>(1 + rng.bounded(info.options));
  }
  set[45] = static_cast<qint16>(rng.bounded(1, 13));
  set[46] = set[47] = 9;
  const int engineSignal = rng.bounded(4);  // none, D+, W, pick-up
  set[15] = engineSignal == 1 ? 1 : 2;
  set[19] = engineSignal == 2 ? 1 : 2;
  set[21] = engineSignal == 3 ? 1 : 2;
  return set;
}

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

class ConfigQvtTest : public QObject {
  Q_OBJECT
 private slots:
  void failedDefaultGivesOneMessageAndFactorySelection() {
    EditorHarness h;
    h.context.configLeida[7] = 3;
    const ParameterSet before = h.context.configLeida;
    const QString problem = "File CONFIG/FACTORY.QVT holds fewer than 63 values.";
    h.create([problem](ParameterSet* set, QString* out) {
      (*set)[1] = 99;  // a failing reader must not leave half a set behind
      *out = problem;
      return false;
    });
    QCOMPARE(h.messages.shown().value(0).section('|', 0, 0), "E " + problem);
    QCOMPARE(h.context.configLeida, before);
    h.editor->collectParameterSet();
    ParameterSet expected = factoryParameterSet();
    expected[45] = expected[46] = expected[47] = 0;
    QCOMPARE(h.context.configEditada, expected);
  }
  void showThenCollectRoundTrips() {
    EditorHarness h;
    h.context.texts.message[34] = "Alternator frequency needs the alternator wired.";
    h.create(factoryParameterSet());
    QRandomGenerator rng(4242);
    for (int round = 0; round < 150; ++round) {
      const ParameterSet set = randomShowableSet(rng);
      h.context.configLeida = set;
      h.context.configEditada[45] = static_cast<qint16>(round);       // kept
      h.context.configEditada[46] = h.context.configEditada[47] = 9;  // reserved: zeroed
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
  void dPlusAndWShownAsWOnly() {
    Fixture h;
    h.context.configLeida = factoryParameterSet();
    h.context.configLeida[15] = h.context.configLeida[19] = 1;
    h.context.configLeida[21] = 2;
    h.editor->showParameterSet();
    QVERIFY(!h.find<QCheckBox>("MCABD")->isChecked() && h.find<QCheckBox>("MCACW")->isChecked());
    h.editor->collectParameterSet();
    const ParameterSet& got = h.context.configEditada;
    QCOMPARE(QList<qint16>({got[15], got[19]}), QList<qint16>({2, 1}));
    // The window-free editor of the command line comes to the same set.
    ParameterSet model = showAndCollect(h.context.configLeida, nullptr);
    model[45] = got[45];
    QCOMPARE(model, got);
  }
  void outOfRangeValuesGiveOneMessage() {
    Fixture h;
    h.context.texts.extra[extra::OutOfRangeTitle] = "Valores sin opción";
    h.context.texts.extra[extra::OutOfRangePrompt] = "Ajustes sin opción: %1.";
    h.context.configLeida = factoryParameterSet();
    h.context.configLeida[2] = 0;
    h.context.configLeida[4] = 4;
    h.context.configLeida[21] = 3;  // a flag is 1 or 2
    h.context.configLeida[27] = -2;
    h.context.configLeida[32] = 7;    // an action code is 1 to 6
    h.context.configLeida[63] = 300;  // a byte
    h.editor->showParameterSet();
    QCOMPARE(h.messages.calls.size(), 1);
    const QString line = h.messages.shown()[0];
    QVERIFY(line.startsWith("E Ajustes sin opción: ") && line.endsWith("|Valores sin opción"));
    for (const char* slot : {"2 V_LIMINF_VRED = 0", "4 V_FREC_NOM = 4", "21 V_CA_PU = 3",
                             "27 V_LIMINF_VGRP = -2", "32 V_FUEL_ACC = 7", "63 V_MIN_BAT_L = 300"})
      QVERIFY2(line.contains(slot), qPrintable(line));
    // The group keeps its selection, the set its number.
    QVERIFY(h.find<QRadioButton>("RVLI(4)")->isChecked() && h.context.configLeida[4] == 4);
    h.context.texts.extra = {};  // no loaded texts: still a titled message
    h.editor->showParameterSet();
    QVERIFY(h.messages.calls.size() == 2 && !h.messages.calls[1].title.isEmpty());
  }
  void numberBoxesTakeWholeNumbersOnly() {
    ParameterSet set = factoryParameterSet();
    set[56] = 3;
    set[57] = 232;
    EditorHarness h;
    h.create(set);
    QCOMPARE(h.editor->numberBoxText("MCAIVVAL") + "|" + h.editor->numberBoxText("RVN"), "1000|");
    QLineEdit* box = h.find<QLineEdit>("MCAPUVAL");
    const auto typed = [box](const char* keys) {
      box->clear();
      QTest::keyClicks(box, keys);
      return box->text();
    };
    QCOMPARE(typed("1-2a.3 4"), QString("1234"));
    QCOMPARE(typed("65535") + "|" + typed("65536"), QString("65535|6553"));
    h.context.texts.extra[extra::NumberRange] = "Solo números enteros de 0 a 65535";
    emit h.events.languageApplied();
    QCOMPARE(h.find<QLineEdit>("VBAT")->toolTip(), h.context.texts.extra[extra::NumberRange]);
  }
  void leavingHidesAndAnnouncesOnce() {
    Fixture h;
    QSignalSpy left(&h.events, &AppEvents::editorLeft);
    h.editor->show();
    h.find<QLineEdit>("VBAT")->setText("12");
    h.find<QPushButton>("Command6")->click();
    QVERIFY(h.editor->isHidden());
    h.editor->show();
    QVERIFY(h.find<QLineEdit>("VBAT")->text() == "12" &&
            h.loadLog.size() == 2);  // kept, no new load
    h.editor->close();               // the window frame leaves like Salir
    QVERIFY(h.editor->isHidden());
    h.editor->close();  // already hidden: nothing more to announce
    QCOMPARE(left.size(), 2);
  }
  void buttonHoldsNeedTheirOwnRelease() {
    Fixture h;
    const auto enabled = [&h] {  // Command1..9 as a bit string
      QString bits;
      for (int n = 1; n <= 9; ++n)
        bits += h.find<QPushButton>(QStringLiteral("Command%1").arg(n))->isEnabled() ? '1' : '0';
      return bits;
    };
    h.editor->setCommandButtonsEnabled(false);  // a file dialog
    emit h.events.transferStarted();            // the comparison's read
    h.editor->setCommandButtonsEnabled(false);  // another dialog
    h.editor->setCommandButtonsEnabled(true);
    QCOMPARE(enabled(), "000000000");
    h.editor->setCommandButtonsEnabled(true);
    QCOMPARE(enabled(), "111001011");  // Lee QVT, Graba QVT and Compara wait for the transfer
    emit h.events.transferEnded();
    emit h.events.transferEnded();  // an extra release holds nothing back later
    h.editor->setCommandButtonsEnabled(true);
    QVERIFY(enabled() == "111111111" && h.editor->commandButtonHolds() == 0);
    emit h.events.transferStarted();
    QCOMPARE(enabled(), "111001011");
  }
  void languageAppliedRespectsHolds() {
    Fixture h;
    auto* button = h.find<QPushButton>("Command3");
    for (const bool held : {true, false}) {
      h.editor->setCommandButtonsEnabled(!held);
      button->setEnabled(held);  // as a caption pass might
      emit h.events.languageApplied();
      QCOMPARE(button->isEnabled(), !held);
    }
  }
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
  // clang-format off
  void collectBytePair_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bytes");  // high low
    QTest::newRow("1000") << "1000" << "3 232";
    QTest::newRow("65535") << "65535" << "255 255";
    QTest::newRow("empty") << "" << "0 0";
    QTest::newRow("half to even down") << "2.5" << "0 2";
    QTest::newRow("negative kept at 0") << "-5" << "0 0";
    QTest::newRow("too large kept at 65535") << "70000" << "255 255";
  }
  // clang-format on
  void collectBytePair() {
    QFETCH(QString, text);
    EditorModel controls;
    showParameterSet(factoryParameterSet(), controls);
    controls.setText("MCAPUVAL", text);
    ParameterSet set;
    collectParameterSet(controls, &set);
    QTEST(QStringLiteral("%1 %2").arg(set[54]).arg(set[55]), "bytes");
  }
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
  // The delivered default configuration and the editor's factory selection are one set.
  void deliveredDefaultIsTheFactorySet() {
    test::TempProgramDir dir;
    QCOMPARE(dir.read("Default.fil"), QByteArray("FACTORY\r\n"));
    QCOMPARE(dir.read("CONFIG/FACTORY.QVT"), formatQvt(factoryParameterSet()).toLatin1());
    ParameterSet set;
    QString problem;
    QVERIFY2(loadDefaultConfiguration(dir.path(), &set, &problem), qPrintable(problem));
    QCOMPARE(set, factoryParameterSet());
  }
};

QTEST_MAIN(ConfigQvtTest)
#include "test_configqvt.moc"
