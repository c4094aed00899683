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
#include "config/slottable.h"
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

}  // namespace

class ConfigQvtTest : public QObject {
  Q_OBJECT
 private slots:
  void loadStepsRunInOrderAndShowTheDefault() {
    ParameterSet set = factoryParameterSet();
    set[1] = 10;  // 400 V
    set[3] = 6;   // +15 %
    set[62] = 0x01;
    set[63] = 0xF4;
    EditorHarness h;
    h.create(set);
    QCOMPARE(h.loadLog, (QStringList{"serial", "default"}));
    QVERIFY(h.context.configLeida == set && h.messages.calls.isEmpty());
    QVERIFY(h.find<QRadioButton>("RVN(10)")->isChecked());
    QCOMPARE(h.find<QLineEdit>("VBAT")->text() + h.find<QLabel>("RALMAXT")->text(), "500459V");
    QVERIFY(h.context.configEditada == ParameterSet{});  // nothing collected yet
  }
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
    EditorHarness h;
    h.create(factoryParameterSet());
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
    EditorHarness h;
    h.create(factoryParameterSet());
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
    EditorHarness h;
    h.create(factoryParameterSet());
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
    EditorHarness h;
    h.create(factoryParameterSet());
    const auto enabled = [&h] {  // Command1..8 as a bit string
      QString bits;
      for (int n = 1; n <= 8; ++n)
        bits += h.find<QPushButton>(QStringLiteral("Command%1").arg(n))->isEnabled() ? '1' : '0';
      return bits;
    };
    h.editor->setCommandButtonsEnabled(false);  // a file dialog
    emit h.events.transferStarted();            // the comparison's read
    h.editor->setCommandButtonsEnabled(false);  // another dialog
    h.editor->setCommandButtonsEnabled(true);
    QCOMPARE(enabled(), "00000000");
    h.editor->setCommandButtonsEnabled(true);
    QCOMPARE(enabled(), "11100101");  // Lee QVT, Graba QVT and Compara wait for the transfer
    emit h.events.transferEnded();
    emit h.events.transferEnded();  // an extra release holds nothing back later
    h.editor->setCommandButtonsEnabled(true);
    QVERIFY(enabled() == "11111111" && h.editor->commandButtonHolds() == 0);
    emit h.events.transferStarted();
    QCOMPARE(enabled(), "11100101");
  }
  void languageAppliedRespectsHolds() {
    EditorHarness h;
    h.create(factoryParameterSet());
    auto* button = h.find<QPushButton>("Command3");
    for (const bool held : {true, false}) {
      h.editor->setCommandButtonsEnabled(!held);
      button->setEnabled(held);  // as a caption pass might
      emit h.events.languageApplied();
      QCOMPARE(button->isEnabled(), !held);
    }
  }
};

QTEST_MAIN(ConfigQvtTest)
#include "test_configqvt.moc"
