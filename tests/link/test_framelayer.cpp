#include <QtTest>

#include "link/framelayer.h"
#include "link/testing/inmemoryserialport.h"
#include "link/testing/virtualtimewaiter.h"
#include "sim/instrumentmodel.h"

using namespace orvex;
using orvex::test::InMemorySerialPort;
using orvex::test::VirtualTimeWaiter;

namespace {

// One link on the virtual clock: port, instrument and the frame layer's outcome.
struct Rig {
  VirtualTimeWaiter clock;
  InMemorySerialPort port{clock};
  sim::InstrumentModel instrument;
  QString replyText = "untouched";
  qint16 linkStatus = -1;
  FrameLayer layer{port, clock, replyText, linkStatus};

  Rig() {
    port.attachInstrument(&instrument);
    port.open(nullptr);
  }
  void exchange(const QString& request, int n) {
    QVERIFY(layer.sendFrame(request));
    layer.receiveReply(n);
  }
  // No instrument: `bytes` arrive at `atUs` (virtual time), then a reply of `n` registers is read.
  void replay(qint64 atUs, const QByteArray& bytes, int n = 1) {
    port.attachInstrument(nullptr);
    port.receiveAt(atUs, bytes);
    layer.receiveReply(n);
  }
};

QString allByteValuesText() {
  QString text;
  for (int b = 0; b < 256; ++b) text += QString::asprintf("%02X", b);
  return text;
}

}  // namespace

class TestFrameLayer : public QObject {
  Q_OBJECT
 private slots:
  // --- CRC and frame text
  void computeCrc_data() {
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("crc");
    QTest::newRow("model check") << "3703002D0001" << "1195";
    QTest::newRow("block read") << "37050001003F" << "D98C";
    QTest::newRow("empty") << "" << "FFFF";
    QTest::newRow("lower case digits") << "3703002d0001" << "1195";
    QTest::newRow("both bytes padded") << "EBFF" << "0F00";
    QTest::newRow("high byte zero") << "FF" << "FF00";
  }
  void computeCrc() {
    QFETCH(QString, frame);
    QFETCH(QString, crc);
    QCOMPARE(orvex::computeCrc(frame), crc);
  }

  void everyByteValueSurvivesBothDirections() {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
    QCOMPARE(bytesToFrameText(all), allByteValuesText());
    QByteArray back;
    QVERIFY(frameTextToBytes(allByteValuesText(), &back));
    QCOMPARE(back, all);
    QVERIFY(frameTextToBytes(allByteValuesText().toLower(), &back));
    QCOMPARE(back, all);
  }

  void everyByteValueReachesReplyText() {
    Rig rig;
    QByteArray reply;
    for (int b = 0; b < 256; ++b) reply.append(static_cast<char>(b));
    rig.replay(1000, sim::withCrc(reply));
    QCOMPARE(rig.linkStatus, qint16(kReplySound));
    QCOMPARE(rig.replyText, allByteValuesText() + orvex::computeCrc(allByteValuesText()));
  }

  void malformedFrameTextIsNotSent_data() {
    QTest::addColumn<QString>("frame");
    QTest::newRow("odd length") << "3703002D0001119";
    QTest::newRow("non-hex digit") << "37G3002D00011195";
    QTest::newRow("sign") << "+703002D00011195";
    QTest::newRow("blank") << " 703002D00011195";
  }
  void malformedFrameTextIsNotSent() {
    QFETCH(QString, frame);
    Rig rig;
    QVERIFY(!rig.layer.sendFrame(frame));
    QVERIFY(rig.port.written().isEmpty());
  }

  // --- replies (whole transfers, with acknowledgements longer than the reply and counted CRC
  // errors, are the transfer tests' part)
  void blockReplyInUsbBursts() {
    Rig rig;
    rig.port.setBurstIntervalUs(16'000);
    rig.instrument.setReg(5, 0xFFFF);
    rig.exchange("37050001003FD98C", 63);
    QCOMPARE(rig.linkStatus, qint16(kReplySound));
    QCOMPARE(rig.replyText.size(), 2 * 131);
    QVERIFY(rig.replyText.startsWith("37057E"));
    QCOMPARE(rig.replyText.mid(6 + 4 * 4, 4), QString("FFFF"));
  }

  void replyReturnsAsSoonAsItsLastByteIsIn() {
    Rig rig;
    const QByteArray reply = QByteArray::fromHex("370247120385087E");
    rig.port.receiveAt(100'000, reply.left(5));
    rig.replay(140'000, reply.mid(5));
    QCOMPARE(rig.linkStatus, qint16(kReplySound));
    QCOMPARE(rig.clock.nowUs(), qint64(140'000));
  }

  void extraBytesAreKeptAndCrcCheckedAtTheEnd() {
    Rig rig;
    const QByteArray longer = sim::withCrc(QByteArray::fromHex("37030400010002"));  // 9 bytes
    rig.replay(1000, longer);
    QCOMPARE(rig.linkStatus, qint16(kReplySound));
    QCOMPARE(rig.replyText, bytesToFrameText(longer));
  }

  void strayBytesBeforeReplyGiveCrcErrorWithBytesKept() {
    Rig rig;
    rig.instrument.faults().strayBytes = 2;
    rig.exchange("3702002100002D96", 1);
    QCOMPARE(rig.linkStatus, qint16(kReplyCrcError));
    QCOMPARE(rig.replyText.size(), 2 * 10);
    QVERIFY(rig.replyText.endsWith("370247120385087E"));
  }

  void quietLineEndsReplyWithoutValidCrc() {
    Rig rig;
    rig.replay(10'000, QByteArray::fromHex("37030200010000"));
    QCOMPARE(rig.linkStatus, qint16(kReplyCrcError));
    QCOMPARE(rig.clock.nowUs(), 10'000 + FrameLayer::kDefaultQuietGapUs);
  }

  void splitReplyWithGapIsJoined() {
    Rig rig;
    rig.instrument.faults().splitGapUs = 300'000;
    rig.exchange("37050001003FD98C", 63);
    QCOMPARE(rig.linkStatus, qint16(kReplySound));
    QCOMPARE(rig.replyText.size(), 2 * 131);
  }

  // --- time-outs
  void timeoutDiscardsPartialReply() {
    Rig rig;
    rig.replay(200'000, QByteArray::fromHex("370247120385"));  // 6 of 7 bytes
    QCOMPARE(rig.linkStatus, qint16(kReplyTimeout));
    QVERIFY(rig.replyText.isEmpty());
    QCOMPARE(rig.port.bytesWaiting(), qint64(0));
    QCOMPARE(rig.clock.nowUs(), qint64(5'100'000));
    QVERIFY2(rig.clock.sleepCount() <= 3, "the wait must sleep, not poll");
  }

  void timeLimitGrowsWithRegisterCount() {
    Rig rig;
    rig.instrument.faults().noAnswer = true;
    rig.exchange("37050001003FD98C", 63);
    QCOMPARE(rig.linkStatus, qint16(kReplyTimeout));
    QCOMPARE(rig.clock.nowUs(), qint64(11'300'000));
  }

  void lateReplyDoesNotSpoilNextExchange() {
    Rig rig;
    rig.port.attachInstrument(nullptr);
    rig.layer.receiveReply(1);
    QCOMPARE(rig.linkStatus, qint16(kReplyTimeout));
    rig.port.receiveNow(QByteArray::fromHex("370247120385087E"));  // the late answer
    rig.port.attachInstrument(&rig.instrument);
    rig.exchange("3703002D00011195", 1);
    QCOMPARE(rig.replyText, QString("3703020001B180"));
  }

  // --- pauses, cancel, lost port
  void pauseRunsInVirtualTimeAndSleeps() {
    Rig rig;
    rig.port.receiveAt(3'000'000, "noise");  // a wake in between does not end the pause
    rig.layer.pause(20);
    QCOMPARE(rig.clock.nowUs(), qint64(20'000'000));
    QVERIFY(rig.clock.sleepCount() <= 3);
    rig.layer.pause(0.05);
    QCOMPARE(rig.clock.nowUs(), qint64(20'050'000));
  }

  void cancelEndsCurrentAndLaterWaits() {
    Rig rig;
    rig.instrument.faults().noAnswer = true;
    rig.clock.at(1'000'000, [&] { rig.layer.cancel(); });
    rig.exchange("3703002D00011195", 1);
    QCOMPARE(rig.linkStatus, qint16(kReplyTimeout));
    QCOMPARE(rig.clock.nowUs(), qint64(1'000'000));
    rig.layer.pause(20);
    rig.layer.receiveReply(63);
    QCOMPARE(rig.clock.nowUs(), qint64(1'000'000));
    rig.layer.resume();
    rig.layer.pause(1);
    QCOMPARE(rig.clock.nowUs(), qint64(2'000'000));
  }

  void lostPortEndsWaitAsTimeout() {
    Rig rig;
    rig.instrument.faults().noAnswer = true;
    QString reason;
    connect(&rig.port, &SerialPort::failed, this, [&](const QString& r) { reason = r; });
    rig.clock.at(500'000, [&] { rig.port.loseWhileOpen("adapter unplugged"); });
    rig.exchange("3703002D00011195", 1);
    QCOMPARE(rig.linkStatus, qint16(kReplyTimeout));
    QCOMPARE(rig.clock.nowUs(), qint64(500'000));
    QCOMPARE(reason, QString("adapter unplugged"));
    QVERIFY(!rig.port.isOpen());
    QVERIFY(!rig.layer.sendFrame("3703002D00011195"));
  }
};

QTEST_GUILESS_MAIN(TestFrameLayer)
#include "test_framelayer.moc"
