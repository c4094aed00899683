// "Lee QVT" and "Graba QVT" as the installer uses them, against orvex-sim over a
// pseudo-terminal in real time: the only long tests of the suite (about a minute).
#include <QLineEdit>
#include <QTest>

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
  if (!readQvtFile(programDir + "CONFIG/FACTORY.QVT", &set, &problem)) qFatal("%s", qPrintable(problem));
  for (int k = kFirstSlot; k <= kLastSlot; ++k) {
    const SlotInfo& info = slotInfo(k);
    if (info.encoding == Encoding::Option && info.options >= 2) set[k] = qint16(set[k] % info.options + 1);
  }
  splitBytePair(265, &set[kBatteryHigh], &set[kBatteryLow]);
  return set;
}

void compareConfigurationSlots(const ParameterSet& actual, const ParameterSet& expected) {
  for (int k = kFirstSlot; k <= kLastSlot; ++k) {
    if (k == kModelSlot) continue;
    QVERIFY2(actual[k] == expected[k],
             qPrintable(QStringLiteral("slot %1: %2, expected %3").arg(k).arg(actual[k]).arg(expected[k])));
  }
}

QString messagesSeen(const RecordingMessageBoxes& messages) {
  QStringList all;
  for (const auto& call : messages.calls) all << call.title + ": " + call.prompt;
  return all.join(" | ");
}

}  // namespace

class TestE2eTransfers : public QObject {
  Q_OBJECT
 private slots:
  void readShowsTheInstrumentsConfiguration();
  void writeIsVerifiedAndLandsInTheInstrument();
  void anotherModelIsRefusedAtOnce();
};

void TestE2eTransfers::readShowsTheInstrumentsConfiguration() {
  LiveProgram program;
  const ParameterSet instrument = otherValidSet(program.dir.path());
  QString error;
  QVERIFY(writeQvtFile(program.dir.file("instrument.qvt"), instrument, &error));
  QVERIFY(program.start({"--config", program.dir.file("instrument.qvt")}));
  QVERIFY(program.context.configLeida != instrument);

  QVERIFY(program.runTransfer("Command4", 30'000));
  QVERIFY2(program.messages.calls.isEmpty(), qPrintable(messagesSeen(program.messages)));
  compareConfigurationSlots(program.context.configLeida, instrument);
  QCOMPARE(program.editor()->findChild<QLineEdit*>("VBAT")->text(), QString("265"));
  QVERIFY(!program.port.isOpen());
}

void TestE2eTransfers::writeIsVerifiedAndLandsInTheInstrument() {
  LiveProgram program;
  QVERIFY(program.start());
  auto* battery = program.editor()->findChild<QLineEdit*>("VBAT");
  battery->setText("272");  // as typed by the user

  QVERIFY(program.runTransfer("Command5", 90'000));
  QVERIFY2(program.messages.calls.isEmpty(), qPrintable(messagesSeen(program.messages)));
  const ParameterSet written = program.context.configEditada;
  QCOMPARE(bytePairValue(written[kBatteryHigh], written[kBatteryLow]), 272);
  compareConfigurationSlots(program.context.configLeida, written);  // the read-back
  ParameterSet instrument;
  QVERIFY(program.sim.stopAndReadRegisters(&instrument));
  compareConfigurationSlots(instrument, written);
  QCOMPARE(instrument[kModelSlot], qint16(1));
}

void TestE2eTransfers::anotherModelIsRefusedAtOnce() {
  LiveProgram program;
  QVERIFY(program.start({"--model", "2"}));
  const ParameterSet before = program.context.configLeida;
  QVERIFY(program.runTransfer("Command4", 15'000));
  QCOMPARE(program.messages.calls.size(), 1);
  QCOMPARE(program.messages.calls[0].icon, MessageIcon::Information);
  QCOMPARE(program.messages.calls[0].prompt, program.context.texts.message[16]);
  QCOMPARE(program.context.configLeida, before);
  QVERIFY(!program.port.isOpen());
}

QTEST_MAIN(TestE2eTransfers)
#include "test_e2e_transfers.moc"
