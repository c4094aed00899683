#include "framelayer.h"

#include <algorithm>
#include <utility>

#include "link/checksum.h"
#include "link/eventwaiter.h"
#include "link/framelog.h"
#include "link/serialport.h"

namespace orvex {

FrameLayer::FrameLayer(SerialPort& port, EventWaiter& waiter, QObject* parent)
    : QObject(parent), port_(port), waiter_(waiter) {
  connect(&port_, &SerialPort::dataArrived, this, [this] { waiter_.wake(); });
  connect(&port_, &SerialPort::failed, this, [this] {
    portFailed_ = true;
    waiter_.wake();
  });
}

bool FrameLayer::send(const Request& request) {
  if (!port_.isOpen()) return false;
  portFailed_ = false;
  if (failedAtUs_ >= 0) awaitQuietLine();
  if (cancelled_ || portFailed_ || !port_.isOpen()) return false;
  if (port_.bytesWaiting() > 0) port_.readAll();
  const QByteArray bytes = request.bytes();
  if (!port_.write(bytes)) return false;
  if (log_) log_->sent(bytes, waiter_.nowUs());
  return true;
}

void FrameLayer::receiveReply(const Request& asked) {
  const int expected = expectedLength(asked.registerCount());
  const qint64 deadline = waiter_.nowUs() + timeLimitUs(asked.registerCount());
  QByteArray received;
  qint64 lastArrival = waiter_.nowUs();
  while (!cancelled_ && !portFailed_ && port_.isOpen()) {
    if (port_.bytesWaiting() > 0) {
      received += port_.readAll();
      lastArrival = waiter_.nowUs();
    }
    const qint64 now = waiter_.nowUs();
    const bool enough = received.size() >= expected;
    if (isExceptionReply(received, asked) || replyComplete(received, expected, lastArrival) ||
        (enough && now >= deadline)) {
      finishWithReply(received, asked);
      return;
    }
    if (now >= deadline) break;
    waiter_.sleepUntil(enough ? std::min(deadline, lastArrival + quietGapUs_) : deadline);
  }
  finishWithTimeout(received);
}

bool FrameLayer::replyComplete(const QByteArray& received, int expected,
                               qint64 lastArrivalUs) const {
  if (received.size() < expected) return false;
  return endsWithValidCrc(received) || waiter_.nowUs() - lastArrivalUs >= quietGapUs_;
}

void FrameLayer::finishWithReply(QByteArray received, const Request& asked) {
  // Whatever else is already waiting belongs to this reply: read everything at once.
  if (port_.isOpen() && port_.bytesWaiting() > 0) received += port_.readAll();
  reply_.bytes = received;
  FrameVerdict verdict = FrameVerdict::Sound;
  reply_.status = kReplySound;
  if (isExceptionReply(received, asked)) {
    reply_.status = kReplyRefused;
    verdict = FrameVerdict::Refused;
  } else if (!endsWithValidCrc(received) || !answers(received, asked)) {
    reply_.status = kReplyCrcError;
    verdict = endsWithValidCrc(received) ? FrameVerdict::NotAnAnswer : FrameVerdict::CrcError;
    failedAtUs_ = waiter_.nowUs();
  }
  if (log_) log_->received(received, verdict, waiter_.nowUs());
}

// The partial reply is thrown away, but the log keeps it: garbage on the line tells a lot.
void FrameLayer::finishWithTimeout(QByteArray received) {
  reply_.bytes.clear();
  if (port_.isOpen() && port_.bytesWaiting() > 0) received += port_.readAll();
  reply_.status = kReplyTimeout;
  failedAtUs_ = waiter_.nowUs();
  if (log_)
    log_->received(received, portFailed_ ? FrameVerdict::PortLost : FrameVerdict::TimeOut,
                   waiter_.nowUs());
}

void FrameLayer::awaitQuietLine() {
  qint64 quietFrom = std::exchange(failedAtUs_, -1);
  QByteArray late;
  while (!cancelled_ && !portFailed_ && port_.isOpen()) {
    if (port_.bytesWaiting() > 0) {
      late += port_.readAll();
      quietFrom = waiter_.nowUs();
    }
    if (waiter_.nowUs() - quietFrom >= quietGapUs_) break;
    waiter_.sleepUntil(quietFrom + quietGapUs_);
  }
  if (log_ && !late.isEmpty()) log_->received(late, FrameVerdict::Discarded, waiter_.nowUs());
}

void FrameLayer::pause(double seconds) {
  const qint64 deadline = waiter_.nowUs() + static_cast<qint64>(seconds * 1e6);
  while (!cancelled_ && !portFailed_ && waiter_.nowUs() < deadline) waiter_.sleepUntil(deadline);
}

void FrameLayer::cancel() {
  cancelled_ = true;
  waiter_.wake();
}

}  // namespace orvex
