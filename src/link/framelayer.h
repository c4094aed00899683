#pragma once
#include <QByteArray>
#include <QObject>

#include "link/frames.h"

namespace orvex {

class SerialPort;
class EventWaiter;
class FrameLog;

// Sends requests and waits for the instrument's replies. The outcome of the last exchange
// (LinkStatus and ReplyText) is the layer's own, where the read and write dialogues look
// after each exchange.
//
// A reply is complete once at least 2n + 5 bytes are in and either they end with their
// valid CRC or the line has been quiet for quietGapUs (a longer frame than expected, e.g.
// an 8-byte acknowledgement when n = 1, is thus read whole, and a USB adapter's bursts are
// not cut). An exception reply to the request is complete at its own 5 bytes. Without enough bytes
// by 5 + 0.1 n s the wait ends as a time-out and whatever partial reply arrived is thrown away.
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

  FrameLayer(SerialPort& port, EventWaiter& waiter, QObject* parent = nullptr);

  // Writes the request's bytes in one output operation. Bytes left over from an earlier
  // exchange (a reply that came after its time-out) are dropped first so they cannot be
  // taken for this request's reply; after a failed exchange, once the line is quiet. False
  // once cancelled, or when the port is lost or refuses the write.
  bool send(const Request& request);
  // Waits for the reply to `asked` and records the outcome. A reply that ends with its valid
  // CRC but does not answer `asked` (frames.h) counts as garbled.
  void receiveReply(const Request& asked);
  const Reply& reply() const { return reply_; }
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
  void finishWithReply(QByteArray received, const Request& asked);
  void finishWithTimeout(QByteArray received);
  void awaitQuietLine();

  SerialPort& port_;
  EventWaiter& waiter_;
  Reply reply_;
  qint64 quietGapUs_ = kDefaultQuietGapUs;
  FrameLog* log_ = nullptr;
  bool cancelled_ = false;
  bool portFailed_ = false;
  qint64 failedAtUs_ = -1;  // the last exchange failed then; -1: it did not
};

}  // namespace orvex
