#include <QtTest>

#include "link/checksum.h"
#include "link/framelayer.h"
#include "sim/instrumentmodel.h"
#include "testing/inmemoryserialport.h"
#include "testing/virtualtimewaiter.h"

using namespace orvex;
using orvex::test::InMemorySerialPort;
using orvex::test::VirtualTimeWaiter;

namespace {

// One link on the virtual clock: port, instrument and the frame layer's outcome.
struct Rig {
  VirtualTimeWaiter clock;
  InMemorySerialPort port{clock};
  sim::InstrumentModel instrument;
  FrameLayer layer{port, clock};

  Rig() {
    port.attachInstrument(&instrument);
    port.open(nullptr);
  }
  void exchange(const Request& request) {
    QVERIFY(layer.send(request));
    layer.receiveReply(request);
  }
  QString replyText() const { return QString::fromLatin1(layer.reply().bytes.toHex().toUpper()); }
  // No instrument: `bytes` arrive at `atUs` (virtual time), then the reply to `asked` is read.
  void replay(qint64 atUs, const QByteArray& bytes, const Request& asked) {
    port.attachInstrument(nullptr);
    port.receiveAt(atUs, bytes);
    layer.receiveReply(asked);
  }
  // "sound|crc|timeout @ microseconds: reply text"
  QString outcome() const {
    return QStringLiteral("%1 @ %2: %3")
        .arg(QStringList{"sound", "crc", "timeout", "refused"}.value(layer.reply().status))
        .arg(clock.nowUs())
        .arg(replyText());
  }
};

const Request kModel{0x03, 0x002D, 1}, kIdentityA{0x02, 0x0021, 0}, kBlock{0x05, 0x0001, 63};

QByteArray allByteValues() {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  return all;
}

}  // namespace

Q_DECLARE_METATYPE(orvex::Request)

class TestFrameLayer : public QObject {
  Q_OBJECT
 private slots:
  // clang-format off
  void requestBytes_data() {
    QTest::addColumn<Request>("request");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("model check") << kModel << QByteArray("3703002D00011195");
    QTest::newRow("block") << kBlock << QByteArray("37050001003FD98C");
    QTest::newRow("reset") << Request{0x06, 0x0063, 0x270F} << QByteArray("37060063270F27B6");
    QTest::newRow("-1 into slot 2") << Request{0x06, 2, 0xFFFF} << QByteArray("37060002FFFF2C2C");
  }
  // clang-format on
  void requestBytes() {
    QFETCH(Request, request);
    QTEST(request.bytes().toHex().toUpper(), "bytes");
    QCOMPARE(withCrc(QByteArray::fromHex("EBFF")).right(2), QByteArray::fromHex("0F00"));
    QCOMPARE(crc16Modbus({}), quint16(0xFFFF));
  }

  // Every byte value is kept as it came; with its valid CRC, another station's frame is still
  // no answer.
  void everyByteValueSurvives() {
    Rig rig;
    rig.replay(1000, withCrc(allByteValues()), kModel);
    QVERIFY(rig.layer.reply().status == kReplyCrcError &&
            rig.layer.reply().bytes == withCrc(allByteValues()));
  }

  void blockReplyInUsbBurstsOrSplitIsJoined() {
    for (const bool bursts : {true, false}) {
      Rig rig;
      if (bursts) rig.port.setBurstIntervalUs(16'000);
      else rig.instrument.faults().splitGapUs = 300'000;
      rig.instrument.setReg(5, 0xFFFF);
      rig.exchange(kBlock);
      QVERIFY(rig.layer.reply().sound() && rig.replyText().startsWith("37057E"));
      QVERIFY(rig.layer.reply().bytes.size() == 131 && rig.layer.reply().word(5) == -1);
    }
  }

  // Partial replies, late ends, stray and extra bytes, frames that answer something else:
  // status, when the wait ended, the bytes kept.
  void replyEnds_data() {
    QTest::addColumn<Request>("asked");
    QTest::addColumn<QList<qint64>>("at");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("as soon as the last byte is in")
        << kIdentityA << QList<qint64>{100'000, 140'000} << QStringList{"3702471203", "85087E"}
        << "sound @ 140000: 370247120385087E";
    QTest::newRow("extra bytes kept, CRC at the end")
        << kModel << QList<qint64>{1000} << QStringList{"370304000100027C31"}
        << "sound @ 1000: 370304000100027C31";
    QTest::newRow("quiet line without valid CRC")
        << kModel << QList<qint64>{10'000} << QStringList{"37030200010000"}
        << QStringLiteral("crc @ %1: 37030200010000").arg(10'000 + FrameLayer::kDefaultQuietGapUs);
    QTest::newRow("an echo of the request is no answer")
        << kModel << QList<qint64>{1000} << QStringList{"3703002D00011195"}
        << "crc @ 1000: 3703002D00011195";
    QTest::newRow("another station's answer is none")
        << kModel << QList<qint64>{1000} << QStringList{"3803020001E581"}
        << "crc @ 1000: 3803020001E581";
    QTest::newRow("an answer to another function is none")
        << kModel << QList<qint64>{1000} << QStringList{"3705020001B108"}
        << "crc @ 1000: 3705020001B108";
    QTest::newRow("time-out discards a partial reply")
        << kIdentityA << QList<qint64>{200'000} << QStringList{"370247120385"}
        << "timeout @ 5100000: ";
  }
  void replyEnds() {
    QFETCH(Request, asked);
    QFETCH(QList<qint64>, at);
    QFETCH(QStringList, parts);
    Rig rig;
    const auto bytes = [&parts](int i) { return QByteArray::fromHex(parts[i].toLatin1()); };
    for (int i = 0; i + 1 < parts.size(); ++i) rig.port.receiveAt(at[i], bytes(i));
    rig.replay(at.last(), bytes(parts.size() - 1), asked);
    QTEST(rig.outcome(), "outcome");
    QCOMPARE(rig.port.bytesWaiting(), qint64(0));
    QVERIFY2(rig.clock.sleepCount() <= 3, "the wait must sleep, not poll");
  }

  void strayBytesBeforeReplyGiveCrcErrorWithBytesKept() {
    Rig rig;
    rig.instrument.faults().strayBytes = 2;
    rig.exchange(kIdentityA);
    QVERIFY(rig.layer.reply().status == kReplyCrcError &&
            rig.replyText() == "A5A4370247120385087E");
  }

  void timeLimitGrowsWithRegisterCountAndLateRepliesAreDropped() {
    Rig rig;
    rig.instrument.faults().noAnswer = true;
    rig.exchange(kBlock);
    QCOMPARE(rig.outcome(), "timeout @ 11300000: ");
    rig.port.receiveNow(QByteArray::fromHex("370247120385087E"));  // the late answer
    rig.instrument.faults().noAnswer = false;
    rig.exchange(kModel);
    QCOMPARE(rig.replyText(), QString("3703020001B180"));
    rig.instrument.faults().noAnswer = true;
    rig.exchange(kModel);
    QVERIFY(rig.layer.reply().bytes.isEmpty());  // nothing kept of the reply before
  }

  // A refusal is complete at its own 5 bytes, whatever was awaited. A reply whose last byte
  // comes after the quiet gap fails alone: that byte does not start the next reply.
  void refusalAndLateByteEndTheirOwnAttemptOnly() {
    Rig rig;
    rig.instrument.faults().refusedFunction = 0x05;
    rig.port.receiveNow("\xA5");  // noise on the line before the request: dropped
    rig.exchange(kBlock);
    QCOMPARE(rig.outcome(), "refused @ 15546: 378502235F");
    QCOMPARE(rig.layer.reply().exceptionCode(), 2);
    rig.instrument.faults().lateByte = 1;
    for (const LinkStatusCode status : {kReplyCrcError, kReplySound}) {
      rig.exchange(kIdentityA);
      QCOMPARE(rig.layer.reply().status, status);
    }
  }

  void pauseRunsInVirtualTimeAndSleeps() {
    Rig rig;
    rig.port.receiveAt(3'000'000, "noise");  // a wake in between does not end the pause
    rig.layer.pause(20);
    QVERIFY(rig.clock.nowUs() == 20'000'000 && rig.clock.sleepCount() <= 3);
    rig.layer.pause(0.05);
    QCOMPARE(rig.clock.nowUs(), qint64(20'050'000));
  }

  void cancelEndsCurrentAndLaterWaits() {
    Rig rig;
    rig.instrument.faults().noAnswer = true;
    rig.clock.at(1'000'000, [&] { rig.layer.cancel(); });
    rig.exchange(kModel);
    QCOMPARE(rig.outcome(), "timeout @ 1000000: ");
    rig.layer.pause(20);
    rig.layer.receiveReply(kBlock);
    QCOMPARE(rig.clock.nowUs(), qint64(1'000'000));
    rig.layer.resume();
    rig.layer.pause(1);
    QCOMPARE(rig.clock.nowUs(), qint64(2'000'000));
  }
};

QTEST_GUILESS_MAIN(TestFrameLayer)
#include "test_framelayer.moc"
