#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <deque>
#include <functional>

// What went over the wire: every frame sent and received during a transfer, with its time,
// direction, bytes and the frame layer's verdict, kept for the last transfers. For the
// installer and the support desk when a controller "does not talk".
namespace orvex {

// Refused: an exception reply. NotAnAnswer: a frame with its valid CRC that does not answer
// the request (another function or station, an echo). Discarded: bytes that came late after
// a failed exchange.
// Port: the device an attempt opened, or the system's own words for a port that failed.
enum class FrameVerdict {
  Sent,
  Sound,
  CrcError,
  NotAnAnswer,
  TimeOut,
  PortLost,
  Message,
  Refused,
  Discarded,
  Port
};

struct FrameRecord {
  qint64 ms = 0;  // since the transfer began
  FrameVerdict verdict = FrameVerdict::Sent;
  QByteArray bytes;  // as sent or received (a time-out's partial bytes, thrown away)
  QString note;      // a message the transfer showed, or what happened to the port
};

// How a transfer ended; Running until it has.
enum class TransferOutcome {
  Running,
  ReadComplete,
  ReadFailed,            // nothing changed
  Verified,              // written and read back equal
  NotVerified,           // every slot written; the read-back failed or differed
  WriteFailedAtSlot,     // slots before `slot` written, `slot` itself perhaps (not if refused)
  WriteFailedUnchanged,  // stopped before any slot was written
  Cancelled,             // Cancel or the program's end stopped it before anything changed
};

struct TransferRecord {
  quint64 id = 0;  // tells the transfers apart, in the order they began
  QDateTime started;
  QString title;  // "read", "write", ...
  QString port;   // the port chosen: "COM1"; each attempt logs the device it opened
  QList<FrameRecord> frames;
  bool truncated = false;  // frames beyond the limit were not kept
  TransferOutcome outcome = TransferOutcome::Running;
  int slot = 0;          // for WriteFailedAtSlot
  int refusalCode = -1;  // the exception code of a refused request that ended a step
};

class FrameLog {
 public:
  static constexpr int kTransfersKept = 8;
  static constexpr int kFramesKept = 4000;  // a write with every retry stays well below

  void beginTransfer(const QString& title, const QString& port, qint64 nowUs);
  void endTransfer(TransferOutcome outcome, int slot = 0, int refusalCode = -1);
  void sent(const QByteArray& bytes, qint64 nowUs) { add(FrameVerdict::Sent, bytes, {}, nowUs); }
  void received(const QByteArray& bytes, FrameVerdict verdict, qint64 nowUs) {
    add(verdict, bytes, {}, nowUs);
  }
  void message(const QString& text, qint64 nowUs) { add(FrameVerdict::Message, {}, text, nowUs); }
  void port(const QString& text, qint64 nowUs) { add(FrameVerdict::Port, {}, text, nowUs); }

  // Receives the text formatTransferLog gives, a piece as each line is logged (also lines
  // beyond the frames kept): for a log file that keeps what happened so far even when the
  // program is killed.
  using Sink = std::function<void(const QString& lines)>;
  void setSink(Sink sink) { sink_ = std::move(sink); }

  const std::deque<TransferRecord>& transfers() const { return transfers_; }
  bool isEmpty() const { return transfers_.empty(); }
  const TransferRecord& last() const { return transfers_.back(); }

 private:
  void add(FrameVerdict verdict, const QByteArray& bytes, const QString& note, qint64 nowUs);

  void tell(const QString& lines) const {
    if (sink_) sink_(lines);
  }

  std::deque<TransferRecord> transfers_;
  Sink sink_;
  qint64 startUs_ = 0;
  quint64 nextId_ = 1;
};

// The transfer as text: a header line, a line a frame, then how it ended:
//   "2024-05-02T10:14:03  read  COM1"
//   "  1005 ms  ->  37 03 00 2D 00 01 11 95"
//   "  1027 ms  <-  37 03 02 00 01 B1 80          sound"
//   "outcome: read complete"
// (or "outcome: read failed, nothing changed; the controller refused a request (exception
// code 2)").
QString formatTransferLog(const TransferRecord& transfer);
// The same in pieces, for a view that appends what is new: the header, the frames from
// `first` on, and the end (empty while the transfer runs).
QString formatTransferHeader(const TransferRecord& transfer);
QString formatTransferFrames(const TransferRecord& transfer, qsizetype first);
QString formatTransferEnd(const TransferRecord& transfer);

}  // namespace orvex
