#include "inmemoryserialport.h"

#include "sim/instrumentmodel.h"

namespace orvex::test {

InMemorySerialPort::InMemorySerialPort(VirtualTimeWaiter& clock, QObject* parent)
    : SerialPort(parent), clock_(clock) {}

bool InMemorySerialPort::setPortNumber(int n, QString* error) {
  if (n < 1 || n > 99) {
    if (error) *error = QStringLiteral("Invalid port number %1.").arg(n);
    return false;
  }
  if (open_) close();
  port_ = n;
  return true;
}

bool InMemorySerialPort::applySettings(const QString& settings, QString* error) {
  LineSettings parsed;
  if (!parseLineSettings(settings, &parsed, error)) return false;
  line_ = parsed;
  ++applies_;
  return true;
}

bool InMemorySerialPort::open(QString* error) {
  if (open_) {
    if (error) *error = QStringLiteral("The serial port COM%1 is already open.").arg(port_);
    return false;
  }
  if (!openError_.isEmpty() || !isPresent()) {
    if (error)
      *error = openError_.isEmpty() ? QStringLiteral("No such port COM%1.").arg(port_) : openError_;
    return false;
  }
  open_ = true;
  ++opens_;
  return true;
}

void InMemorySerialPort::close() {
  if (!open_) return;
  open_ = false;
  ++session_;
  rx_.clear();
  ++closes_;
}

qint64 InMemorySerialPort::characterTimeUs() const {
  return (1'000'000LL * line_.bitsPerCharacter() + line_.baud - 1) / line_.baud;
}

bool InMemorySerialPort::write(const QByteArray& bytes) {
  if (!open_) return false;
  written_.append(bytes);
  if (!instrument_) return true;
  const qint64 requestEnd = clock_.nowUs() + bytes.size() * characterTimeUs();
  const auto replies = instrument_->receive(bytes, requestEnd);
  qint64 start = requestEnd;
  for (const auto& reply : replies) {
    QList<QByteArray> chunks;
    QList<qint64> delays;
    for (const auto& chunk : reply) {
      chunks.append(chunk.bytes);
      delays.append(chunk.delayUs);
    }
    scheduleReply(chunks, delays, start);
  }
  return true;
}

void InMemorySerialPort::scheduleReply(const QList<QByteArray>& chunks, const QList<qint64>& delays,
                                       qint64 startUs) {
  qint64 t = startUs;
  for (qsizetype c = 0; c < chunks.size(); ++c) {
    t += delays[c];
    for (const char byte : chunks[c]) {
      t += characterTimeUs();
      receiveAt(t, QByteArray(1, byte));
    }
  }
}

void InMemorySerialPort::receiveNow(const QByteArray& bytes) {
  if (!open_ || bytes.isEmpty()) return;
  rx_ += bytes;
  emit dataArrived();
}

void InMemorySerialPort::receiveAt(qint64 atUs, const QByteArray& bytes) {
  const int session = session_;
  clock_.at(atUs, [this, session, bytes] {
    if (session == session_) receiveNow(bytes);
  });
}

void InMemorySerialPort::loseWhileOpen(const QString& reason) {
  if (!open_) return;
  close();
  emit failed(reason);
}

QByteArray InMemorySerialPort::readAll() {
  QByteArray out;
  out.swap(rx_);
  return out;
}

}  // namespace orvex::test
