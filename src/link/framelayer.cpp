#include "framelayer.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "link/eventwaiter.h"
#include "link/framelog.h"
#include "link/serialport.h"

namespace orvex {

quint16 crc16Modbus(const QByteArray& bytes) {
  quint16 crc = 0xFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<quint8>(c);
    for (int bit = 0; bit < 8; ++bit) {
      const bool lsb = crc & 1;
      crc >>= 1;
      if (lsb) crc ^= 0xA001;
    }
  }
  return crc;
}

static QString hexByte(quint8 b) { return QString::number(b, 16).toUpper().rightJustified(2, '0'); }

QString computeCrc(const QString& frameText) {
  QByteArray bytes;
  if (!frameTextToBytes(frameText, &bytes)) return {};
  const quint16 crc = crc16Modbus(bytes);
  return hexByte(crc & 0xFF) + hexByte(crc >> 8);
}

bool frameTextToBytes(const QString& frameText, QByteArray* bytes) {
  if (frameText.size() % 2 != 0) return false;
  QByteArray out;
  out.reserve(frameText.size() / 2);
  for (qsizetype i = 0; i < frameText.size(); i += 2) {
    bool ok = false;
    const uint value = frameText.mid(i, 2).toUInt(&ok, 16);
    // toUInt accepts a sign or blank ("+F", " F"); a frame digit pair must be two hex digits.
    if (!ok || !std::isxdigit(static_cast<unsigned char>(frameText[i].toLatin1())) ||
        !std::isxdigit(static_cast<unsigned char>(frameText[i + 1].toLatin1())))
      return false;
    out.append(static_cast<char>(value));
  }
  *bytes = out;
  return true;
}

QString bytesToFrameText(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.toHex().toUpper());
}

bool endsWithValidCrc(const QByteArray& bytes) {
  if (bytes.size() < 3) return false;
  const quint16 crc = crc16Modbus(bytes.left(bytes.size() - 2));
  return static_cast<quint8>(bytes.at(bytes.size() - 2)) == (crc & 0xFF) &&
         static_cast<quint8>(bytes.at(bytes.size() - 1)) == (crc >> 8);
}

bool isExceptionReply(const QByteArray& bytes) {
  return bytes.size() == 5 && static_cast<quint8>(bytes.at(0)) == 0x37 &&
         (static_cast<quint8>(bytes.at(1)) & 0x80) != 0 && endsWithValidCrc(bytes);
}

int exceptionCode(const QString& replyText) { return replyText.mid(4, 2).toInt(nullptr, 16); }

FrameLayer::FrameLayer(SerialPort& port, EventWaiter& waiter, QString& replyText,
                       qint16& linkStatus, QObject* parent)
    : QObject(parent),
      port_(port),
      waiter_(waiter),
      replyText_(replyText),
      linkStatus_(linkStatus) {
  connect(&port_, &SerialPort::dataArrived, this, [this] { waiter_.wake(); });
  connect(&port_, &SerialPort::failed, this, [this] {
    portFailed_ = true;
    waiter_.wake();
  });
}

bool FrameLayer::sendFrame(const QString& frameText) {
  QByteArray bytes;
  if (!frameTextToBytes(frameText, &bytes) || !port_.isOpen()) return false;
  portFailed_ = false;
  if (failedAtUs_ >= 0) awaitQuietLine();
  if (cancelled_ || portFailed_ || !port_.isOpen()) return false;
  if (port_.bytesWaiting() > 0) port_.readAll();
  if (!port_.write(bytes)) return false;
  if (log_) log_->sent(bytes, waiter_.nowUs());
  return true;
}

void FrameLayer::receiveReply(int registerCount) {
  const int expected = expectedLength(registerCount);
  const qint64 deadline = waiter_.nowUs() + timeLimitUs(registerCount);
  QByteArray received;
  qint64 lastArrival = waiter_.nowUs();
  while (!cancelled_ && !portFailed_ && port_.isOpen()) {
    if (port_.bytesWaiting() > 0) {
      received += port_.readAll();
      lastArrival = waiter_.nowUs();
    }
    const qint64 now = waiter_.nowUs();
    const bool enough = received.size() >= expected;
    if (isExceptionReply(received) || replyComplete(received, expected, lastArrival) ||
        (enough && now >= deadline)) {
      finishWithReply(received);
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

void FrameLayer::finishWithReply(QByteArray received) {
  // Whatever else is already waiting belongs to this reply: read everything at once.
  if (port_.isOpen() && port_.bytesWaiting() > 0) received += port_.readAll();
  replyText_ = bytesToFrameText(received);
  FrameVerdict verdict = FrameVerdict::Sound;
  if (isExceptionReply(received)) {
    linkStatus_ = kReplyRefused;
    verdict = FrameVerdict::Refused;
  } else if (endsWithValidCrc(received)) {
    linkStatus_ = kReplySound;
  } else {
    linkStatus_ = kReplyCrcError;
    verdict = FrameVerdict::CrcError;
    failedAtUs_ = waiter_.nowUs();
  }
  if (log_) log_->received(received, verdict, waiter_.nowUs());
}

// The partial reply is thrown away, but the log keeps it: garbage on the line tells a lot.
void FrameLayer::finishWithTimeout(QByteArray received) {
  replyText_.clear();
  if (port_.isOpen() && port_.bytesWaiting() > 0) received += port_.readAll();
  linkStatus_ = kReplyTimeout;
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
