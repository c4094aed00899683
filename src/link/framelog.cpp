#include "framelog.h"

namespace orvex {
namespace {

// Fixed words: the log is read by the support desk whatever the installer's language.
QString verdictWord(FrameVerdict verdict) {
  switch (verdict) {
    case FrameVerdict::Sent: return {};
    case FrameVerdict::Sound: return QStringLiteral("sound");
    case FrameVerdict::CrcError: return QStringLiteral("CRC error");
    case FrameVerdict::TimeOut: return QStringLiteral("time-out");
    case FrameVerdict::PortLost: return QStringLiteral("port lost");
    case FrameVerdict::Message: return QStringLiteral("message");
    case FrameVerdict::Refused: return QStringLiteral("refused");
    case FrameVerdict::Discarded: return QStringLiteral("late, discarded");
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
  const bool sent = frame.verdict == FrameVerdict::Sent;
  const QString line =
      QStringLiteral("%1  %2  %3")
          .arg(time, sent ? QStringLiteral("->") : QStringLiteral("<-"), hexBytes(frame.bytes));
  return sent ? line : line.leftJustified(60) + QStringLiteral("  ") + verdictWord(frame.verdict);
}

}  // namespace

void FrameLog::beginTransfer(const QString& title, const QString& port, qint64 nowUs) {
  if (transfers_.size() == kTransfersKept) transfers_.pop_front();
  transfers_.push_back({QDateTime::currentDateTime(), title, port, {}, false});
  startUs_ = nowUs;
}

void FrameLog::add(FrameVerdict verdict, const QByteArray& bytes, const QString& note,
                   qint64 nowUs) {
  if (transfers_.empty()) return;  // nothing is logged outside a transfer
  TransferRecord& transfer = transfers_.back();
  if (transfer.frames.size() >= kFramesKept) {
    transfer.truncated = true;
    return;
  }
  transfer.frames.append({(nowUs - startUs_) / 1000, verdict, bytes, note});
}

QString formatTransferLog(const TransferRecord& transfer) {
  QString text = QStringLiteral("%1  %2  %3\n")
                     .arg(transfer.started.toString(Qt::ISODate), transfer.title, transfer.port);
  for (const FrameRecord& frame : transfer.frames) text += frameLine(frame) + QLatin1Char('\n');
  if (transfer.truncated) text += QStringLiteral("(further frames not kept)\n");
  return text;
}

}  // namespace orvex
