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
  // "sound|crc|timeout @ microseconds: reply text"
  QString outcome() const {
    return QStringLiteral("%1 @ %2: %3")
        .arg(QStringList{"sound", "crc", "timeout", "refused"}.value(linkStatus, "unset"))
        .arg(clock.nowUs())
        .arg(replyText);
  }
};

QByteArray allByteValues() {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  return all;
}
QString allByteValuesText() {
  QString text;
  for (int b = 0; b < 256; ++b) text += QString::asprintf("%02X", b);
  return text;
}

}  // namespace

class TestFrameLayer : public QObject {
  Q_OBJECT
 private slots:
  // clang-format off
  void computeCrc_data() {
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("crc");
    QTest::newRow("model check") << "3703002D0001" << "1195";
    QTest::newRow("empty") << "" << "FFFF";
    QTest::newRow("both bytes padded") << "EBFF" << "0F00";
  }
  // clang-format on
  void computeCrc() {
    QFETCH(QString, frame);
    QTEST(orvex::computeCrc(frame), "crc");
  }

  void everyByteValueSurvivesBothDirections() {
    QCOMPARE(bytesToFrameText(allByteValues()), allByteValuesText());
    for (const QString& text : {allByteValuesText(), allByteValuesText().toLower()}) {
      QByteArray back;
      QVERIFY(frameTextToBytes(text, &back) && back == allByteValues());
    }
    Rig rig;
    rig.replay(1000, sim::withCrc(allByteValues()));
    const QString text = allByteValuesText();
    QCOMPARE(rig.outcome(), "sound @ 1000: " + text + orvex::computeCrc(text));
  }

  void malformedFrameTextIsNotSent() {
    Rig rig;
    for (const char* frame :  // odd length, non-hex digit, sign, blank
         {"3703002D0001119", "37G3002D00011195", "+703002D00011195", " 703002D00011195"})
      QVERIFY2(!rig.layer.sendFrame(frame), frame);
    QVERIFY(rig.port.written().isEmpty());
  }

  void blockReplyInUsbBurstsOrSplitIsJoined() {
    for (const bool bursts : {true, false}) {
      Rig rig;
      if (bursts) rig.port.setBurstIntervalUs(16'000);
      else rig.instrument.faults().splitGapUs = 300'000;
      rig.instrument.setReg(5, 0xFFFF);
      rig.exchange("37050001003FD98C", 63);
      QCOMPARE(rig.linkStatus, qint16(kReplySound));
      QVERIFY(rig.replyText.size() == 2 * 131 && rig.replyText.startsWith("37057E"));
      QCOMPARE(rig.replyText.mid(6 + 4 * 4, 4), QString("FFFF"));
    }
  }

  // Partial replies, late ends, stray and extra bytes: status, when the wait ended, the text kept.
  void replyEnds_data() {
    QTest::addColumn<QList<qint64>>("at");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("as soon as the last byte is in")
        << QList<qint64>{100'000, 140'000} << QStringList{"3702471203", "85087E"}
        << "sound @ 140000: 370247120385087E";
    QTest::newRow("extra bytes kept, CRC at the end")
        << QList<qint64>{1000} << QStringList{"370304000100027C31"}
        << "sound @ 1000: 370304000100027C31";
    QTest::newRow("quiet line without valid CRC")
        << QList<qint64>{10'000} << QStringList{"37030200010000"}
        << QStringLiteral("crc @ %1: 37030200010000").arg(10'000 + FrameLayer::kDefaultQuietGapUs);
    QTest::newRow("time-out discards a partial reply")
        << QList<qint64>{200'000} << QStringList{"370247120385"} << "timeout @ 5100000: ";
  }
  void replyEnds() {
    QFETCH(QList<qint64>, at);
    QFETCH(QStringList, parts);
    Rig rig;
    const auto bytes = [&parts](int i) { return QByteArray::fromHex(parts[i].toLatin1()); };
    for (int i = 0; i + 1 < parts.size(); ++i) rig.port.receiveAt(at[i], bytes(i));
    rig.replay(at.last(), bytes(parts.size() - 1));
    QTEST(rig.outcome(), "outcome");
    QCOMPARE(rig.port.bytesWaiting(), qint64(0));
    QVERIFY2(rig.clock.sleepCount() <= 3, "the wait must sleep, not poll");
  }

  void strayBytesBeforeReplyGiveCrcErrorWithBytesKept() {
    Rig rig;
    rig.instrument.faults().strayBytes = 2;
    rig.exchange("3702002100002D96", 1);
    QCOMPARE(rig.linkStatus, qint16(kReplyCrcError));
    QVERIFY(rig.replyText.size() == 2 * 10 && rig.replyText.endsWith("370247120385087E"));
  }

  void timeLimitGrowsWithRegisterCountAndLateRepliesAreDropped() {
    Rig rig;
    rig.instrument.faults().noAnswer = true;
    rig.exchange("37050001003FD98C", 63);
    QCOMPARE(rig.outcome(), "timeout @ 11300000: ");
    rig.port.receiveNow(QByteArray::fromHex("370247120385087E"));  // the late answer
    rig.instrument.faults().noAnswer = false;
    rig.exchange("3703002D00011195", 1);
    QCOMPARE(rig.replyText, QString("3703020001B180"));
  }

  // A refusal is complete at its own 5 bytes, whatever was awaited. A reply whose last byte
  // comes after the quiet gap fails alone: that byte does not start the next reply.
  void refusalAndLateByteEndTheirOwnAttemptOnly() {
    Rig rig;
    rig.instrument.faults().refusedFunction = 0x05;
    rig.port.receiveNow("\xA5");  // noise on the line before the request: dropped
    rig.exchange("37050001003FD98C", 63);
    QCOMPARE(rig.outcome(), "refused @ 15546: 378502235F");
    QCOMPARE(exceptionCode(rig.replyText), 2);
    rig.instrument.faults().lateByte = 1;
    for (const qint16 status : {kReplyCrcError, kReplySound}) {
      rig.exchange("3702002100002D96", 1);
      QCOMPARE(rig.linkStatus, status);
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
    rig.exchange("3703002D00011195", 1);
    QCOMPARE(rig.outcome(), "timeout @ 1000000: ");
    rig.layer.pause(20);
    rig.layer.receiveReply(63);
    QCOMPARE(rig.clock.nowUs(), qint64(1'000'000));
    rig.layer.resume();
    rig.layer.pause(1);
    QCOMPARE(rig.clock.nowUs(), qint64(2'000'000));
  }
};

QTEST_GUILESS_MAIN(TestFrameLayer)
#include "test_framelayer.moc"
