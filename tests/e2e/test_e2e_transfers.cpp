// "Lee QVT" and "Graba QVT" as the installer uses them, against orvex-sim over a
// pseudo-terminal in real time: the only long tests of the suite (about a minute).
#include <QLineEdit>
#include <QTest>

#include "config/slottable.h"
#include "liveprogram.h"

using namespace orvex;
using namespace orvex::test;

namespace {

// The battery voltage's number box VBAT stands in slots 62 and 63 (high and low byte).
const int kBatteryHigh = slotByName("V_MIN_BAT_H");
const int kBatteryLow = slotByName("V_MIN_BAT_L");

// The delivered factory set with every option moved on to another valid option and the
// battery voltage changed: a configuration the editor does not start with.
ParameterSet otherValidSet(const QString& programDir) {
  ParameterSet set;
  QString problem;
  if (!readQvtFile(programDir + "CONFIG/FACTORY.QVT", &set, &problem))
    qFatal("%s", qPrintable(problem));
  for (int k = kFirstSlot; k <= kLastSlot; ++k) {
    const SlotInfo& info = slotInfo(k);
    if (info.encoding == Encoding::Option && info.options >= 2)
      set[k] = qint16(set[k] % info.options + 1);
  }
  splitBytePair(265, &set[kBatteryHigh], &set[kBatteryLow]);
  return set;
}

}  // namespace

class TestE2eTransfers : public QObject {
  Q_OBJECT
 private slots:
  void readShowsTheInstrumentsConfiguration() {
    LiveProgram program;
    const ParameterSet instrument = otherValidSet(program.dir.path());
    QString error;
    QVERIFY(writeQvtFile(program.dir.file("instrument.qvt"), instrument, &error));
    QVERIFY(program.start({"--config", program.dir.file("instrument.qvt")}));
    QVERIFY(program.context.configLeida != instrument);
    QVERIFY(program.runTransfer("Command4", 30'000));
    QCOMPARE(program.messages.shown(), QStringList());
    QCOMPARE(configuration(program.context.configLeida), configuration(instrument));
    QCOMPARE(program.editor()->findChild<QLineEdit*>("VBAT")->text(), QString("265"));
    QVERIFY(!program.port.isOpen());
  }
  void writeIsVerifiedAndLandsInTheInstrument() {
    LiveProgram program;
    QVERIFY(program.start());
    program.editor()->findChild<QLineEdit*>("VBAT")->setText("272");  // as typed by the user
    QVERIFY(program.runTransfer("Command5", 90'000));
    QCOMPARE(program.messages.shown(), QStringList());
    const ParameterSet written = program.context.configEditada;
    QCOMPARE(bytePairValue(written[kBatteryHigh], written[kBatteryLow]), 272);
    QCOMPARE(configuration(program.context.configLeida), configuration(written));  // the read-back
    ParameterSet instrument;
    QVERIFY(program.sim.stopAndReadRegisters(&instrument));
    QCOMPARE(configuration(instrument), configuration(written));
    QCOMPARE(instrument[kModelSlot], qint16(1));
  }
};

QTEST_MAIN(TestE2eTransfers)
#include "test_e2e_transfers.moc"
