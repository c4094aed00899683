#include "framelog.h"

#include "common/logging.h"

namespace orvex {
namespace {

// Fixed words: the log is read by the support desk whatever the installer's language.
QString verdictWord(FrameVerdict verdict) {
  switch (verdict) {
    case FrameVerdict::Sent: return {};
    case FrameVerdict::Sound: return QStringLiteral("sound");
    case FrameVerdict::CrcError: return QStringLiteral("CRC error");
    case FrameVerdict::NotAnAnswer: return QStringLiteral("not an answer");
    case FrameVerdict::TimeOut: return QStringLiteral("time-out");
    case FrameVerdict::PortLost: return QStringLiteral("port lost");
    case FrameVerdict::Message: return QStringLiteral("message");
    case FrameVerdict::Refused: return QStringLiteral("refused");
    case FrameVerdict::Discarded: return QStringLiteral("late, discarded");
    case FrameVerdict::Port: return QStringLiteral("port");
  }
  return {};
}

QString outcomeWords(const TransferRecord& transfer) {
  switch (transfer.outcome) {
    case TransferOutcome::Running: return {};
    case TransferOutcome::ReadComplete: return QStringLiteral("read complete");
    case TransferOutcome::ReadFailed: return QStringLiteral("read failed, nothing changed");
    case TransferOutcome::Verified: return QStringLiteral("written and verified");
    case TransferOutcome::NotVerified:
      return QStringLiteral("not verified: every slot written, the read-back failed or differed");
    case TransferOutcome::WriteFailedAtSlot:
      return (transfer.refusalCode >= 0
                  ? QStringLiteral("failed at slot %1: slots before it written, slot %1 not")
                  : QStringLiteral("failed at slot %1: slots before it written, slot %1 perhaps"))
          .arg(transfer.slot);
    case TransferOutcome::WriteFailedUnchanged:
      return QStringLiteral("failed before any slot was written");
    case TransferOutcome::Cancelled: return QStringLiteral("cancelled, nothing changed");
  }
  return {};
}

QString hexBytes(const QByteArray& bytes) {
  return bytes.isEmpty() ? QStringLiteral("(nothing)")
                         : QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString frameLine(const FrameRecord& frame) {
  const QString time = QStringLiteral("%1 ms").arg(frame.ms, 7);
  if (frame.verdict == FrameVerdict::Message)
    return QStringLiteral("%1  !!  %2").arg(time, frame.note);
  if (frame.verdict == FrameVerdict::Port)
    return QStringLiteral("%1  ==  %2").arg(time, frame.note);
  const bool sent = frame.verdict == FrameVerdict::Sent;
  const QString line =
      QStringLiteral("%1  %2  %3")
          .arg(time, sent ? QStringLiteral("->") : QStringLiteral("<-"), hexBytes(frame.bytes));
  return sent ? line : line.leftJustified(60) + QStringLiteral("  ") + verdictWord(frame.verdict);
}

}  // namespace

void FrameLog::beginTransfer(const QString& title, const QString& port, qint64 nowUs) {
  if (transfers_.size() == kTransfersKept) transfers_.pop_front();
  TransferRecord record;
  record.id = nextId_++;
  record.started = QDateTime::currentDateTime();
  record.title = title;
  record.port = port;
  transfers_.push_back(record);
  startUs_ = nowUs;
  qCDebug(lcLink).noquote() << formatTransferHeader(record).trimmed();
  tell(formatTransferHeader(record));
}

void FrameLog::endTransfer(TransferOutcome outcome, int slot, int refusalCode) {
  if (transfers_.empty()) return;
  transfers_.back().outcome = outcome;
  transfers_.back().slot = slot;
  transfers_.back().refusalCode = refusalCode;
  qCDebug(lcLink).noquote() << transfers_.back().port
                            << formatTransferEnd(transfers_.back()).trimmed();
  TransferRecord told = transfers_.back();
  told.truncated = false;  // the sink got every frame
  tell(formatTransferEnd(told));
}

void FrameLog::add(FrameVerdict verdict, const QByteArray& bytes, const QString& note,
                   qint64 nowUs) {
  if (transfers_.empty()) return;  // nothing is logged outside a transfer
  TransferRecord& transfer = transfers_.back();
  const FrameRecord frame{(nowUs - startUs_) / 1000, verdict, bytes, note};
  qCDebug(lcLink).noquote() << transfer.port << frameLine(frame);
  tell(frameLine(frame) + QLatin1Char('\n'));
  if (transfer.frames.size() >= kFramesKept) {
    transfer.truncated = true;
    return;
  }
  transfer.frames.append(frame);
}

QString formatTransferHeader(const TransferRecord& transfer) {
  return QStringLiteral("%1  %2  %3\n")
      .arg(transfer.started.toString(Qt::ISODate), transfer.title, transfer.port);
}

QString formatTransferFrames(const TransferRecord& transfer, qsizetype first) {
  QString text;
  for (qsizetype i = first; i < transfer.frames.size(); ++i)
    text += frameLine(transfer.frames[i]) + QLatin1Char('\n');
  return text;
}

QString formatTransferEnd(const TransferRecord& transfer) {
  if (transfer.outcome == TransferOutcome::Running) return {};
  QString text;
  if (transfer.truncated) text += QStringLiteral("(further frames not kept)\n");
  text += QStringLiteral("outcome: ") + outcomeWords(transfer);
  if (transfer.refusalCode >= 0)
    text += QStringLiteral("; the controller refused a request (exception code %1)")
                .arg(transfer.refusalCode);
  return text + QLatin1Char('\n');
}

QString formatTransferLog(const TransferRecord& transfer) {
  return formatTransferHeader(transfer) + formatTransferFrames(transfer, 0) +
         formatTransferEnd(transfer);
}

}  // namespace orvex
