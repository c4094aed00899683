#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <deque>

// What went over the wire: every frame sent and received during a transfer, with its time,
// direction, bytes and the frame layer's verdict, kept for the last transfers. For the
// installer and the support desk when a controller "does not talk".
namespace orvex {

// Refused: an exception reply. Discarded: bytes that came late after a failed exchange.
enum class FrameVerdict { Sent, Sound, CrcError, TimeOut, PortLost, Message, Refused, Discarded };

struct FrameRecord {
  qint64 ms = 0;  // since the transfer began
  FrameVerdict verdict = FrameVerdict::Sent;
  QByteArray bytes;  // as sent or received (a time-out's partial bytes, thrown away)
  QString note;      // a message the transfer showed (FrameVerdict::Message)
};

struct TransferRecord {
  QDateTime started;
  QString title;  // "read", "write", ...
  QString port;   // "COM1 (/dev/pts/3)"
  QList<FrameRecord> frames;
  bool truncated = false;  // frames beyond the limit were not kept
};

class FrameLog {
 public:
  static constexpr int kTransfersKept = 8;
  static constexpr int kFramesKept = 4000;  // a write with every retry stays well below

  void beginTransfer(const QString& title, const QString& port, qint64 nowUs);
  void sent(const QByteArray& bytes, qint64 nowUs) { add(FrameVerdict::Sent, bytes, {}, nowUs); }
  void received(const QByteArray& bytes, FrameVerdict verdict, qint64 nowUs) {
    add(verdict, bytes, {}, nowUs);
  }
  void message(const QString& text, qint64 nowUs) { add(FrameVerdict::Message, {}, text, nowUs); }

  const std::deque<TransferRecord>& transfers() const { return transfers_; }
  bool isEmpty() const { return transfers_.empty(); }
  const TransferRecord& last() const { return transfers_.back(); }

 private:
  void add(FrameVerdict verdict, const QByteArray& bytes, const QString& note, qint64 nowUs);

  std::deque<TransferRecord> transfers_;
  qint64 startUs_ = 0;
};

// The transfer as text, a line a frame:
//   "  1005 ms  ->  37 03 00 2D 00 01 11 95"
//   "  1027 ms  <-  37 03 02 00 01 B1 80          sound"
QString formatTransferLog(const TransferRecord& transfer);

}  // namespace orvex
