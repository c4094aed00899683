#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

namespace orvex {

class SerialPort;
class EventWaiter;
class FrameLog;

// Frames travel above the port as upper-case hex text, two digits per byte.
// CRC-16/Modbus (init 0xFFFF, reflected polynomial 0xA001) of raw bytes.
quint16 crc16Modbus(const QByteArray& bytes);
// The CRC of a frame text (upper or lower case digits) as 4 hex digits, low byte first,
// ready to append. An empty text gives "FFFF".
QString computeCrc(const QString& frameText);
// Hex text -> bytes; false (and *bytes untouched) for an odd length or a non-hex digit.
bool frameTextToBytes(const QString& frameText, QByteArray* bytes);
QString bytesToFrameText(const QByteArray& bytes);
// True when the last two bytes are the CRC of the bytes before them (at least 3 bytes).
bool endsWithValidCrc(const QByteArray& bytes);

// An exception reply: slave 0x37, the function with its high bit set, an exception code and
// the CRC; 5 bytes, whatever the request asked for.
bool isExceptionReply(const QByteArray& bytes);
// The exception code of a refused request's reply text.
int exceptionCode(const QString& replyText);

// kReplyRefused: the controller answered with an exception reply (ReplyText holds it).
enum LinkStatusCode : qint16 {
  kReplySound = 0,
  kReplyCrcError = 1,
  kReplyTimeout = 2,
  kReplyRefused = 3
};

// Sends request frames and waits for the instrument's replies. The outcome of every
// exchange goes to the ReplyText / LinkStatus pair handed in (normally the program
// context's), where the read and write dialogues look after each exchange.
//
// A reply is complete once at least 2n + 5 bytes are in and either they end with their
// valid CRC or the line has been quiet for quietGapUs (a longer frame than expected, e.g.
// an 8-byte acknowledgement when n = 1, is thus read whole, and a USB adapter's bursts are
// not cut). An exception reply is complete at its own 5 bytes. Without enough bytes by
// 5 + 0.1 n s the wait ends as a time-out and whatever partial reply arrived is thrown away.
// After a failed exchange the rest of its reply may still be on the way: the next request
// waits until the line has been quiet for quietGapUs, counted from the failure, and what came
// meanwhile is thrown away, so a late byte cannot start the next reply.
//
// Waits sleep on the EventWaiter (never spin). cancel() ends the current wait and makes
// every later one return at once as a time-out (and no frame go out) until resume(); the
// program calls it for GrabQVT's Cancel and on exit, so a transfer in progress unwinds
// quickly instead of keeping the event loop nested. A port failure
// (adapter unplugged) ends the current wait at once, a reply wait as a time-out; pauses stay
// short until the next frame is sent or clearPortFailure() is called.
class FrameLayer : public QObject {
  Q_OBJECT
 public:
  static constexpr qint64 kDefaultQuietGapUs = 25'000;

  FrameLayer(SerialPort& port, EventWaiter& waiter, QString& replyText, qint16& linkStatus,
             QObject* parent = nullptr);

  // Writes the frame's bytes in one output operation. Bytes left over from an earlier
  // exchange (a reply that came after its time-out) are dropped first so they cannot be
  // taken for this request's reply; after a failed exchange, once the line is quiet. False
  // for a text that is not hex digit pairs (nothing is sent), once cancelled, or when the
  // port is lost or refuses the write.
  bool sendFrame(const QString& frameText);
  // Waits for a reply carrying `registerCount` registers and records the outcome.
  void receiveReply(int registerCount);
  void pause(double seconds);

  void cancel();
  void resume() { cancelled_ = false; }
  bool isCancelled() const { return cancelled_; }
  void clearPortFailure() { portFailed_ = false; }

  void setQuietGapUs(qint64 us) { quietGapUs_ = us; }
  // Every frame sent and every reply's outcome goes to `log` too (null: none).
  void setLog(FrameLog* log) { log_ = log; }

  static int expectedLength(int registerCount) { return 2 * registerCount + 5; }
  static qint64 timeLimitUs(int registerCount) { return 5'000'000 + 100'000LL * registerCount; }

 private:
  bool replyComplete(const QByteArray& received, int expected, qint64 lastArrivalUs) const;
  void finishWithReply(QByteArray received);
  void finishWithTimeout(QByteArray received);
  void awaitQuietLine();

  SerialPort& port_;
  EventWaiter& waiter_;
  QString& replyText_;
  qint16& linkStatus_;
  qint64 quietGapUs_ = kDefaultQuietGapUs;
  FrameLog* log_ = nullptr;
  bool cancelled_ = false;
  bool portFailed_ = false;
  qint64 failedAtUs_ = -1;  // the last exchange failed then; -1: it did not
};

}  // namespace orvex
