#include "outcome.h"

#include <QJsonArray>

#include "common/parameterset.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "link/framelog.h"

namespace orvex::cli {
namespace {

bool anyPortNote(const TransferRecord& record, const QString& part) {
  for (const FrameRecord& frame : record.frames)
    if (frame.verdict == FrameVerdict::Port && frame.note.contains(part)) return true;
  return false;
}

// Message texts 16 (another model), 43 and 45 (identity) and the identity hold.
bool anyMessageStarting(const TransferRecord& record, const QStringList& prompts) {
  for (const FrameRecord& frame : record.frames)
    if (frame.verdict == FrameVerdict::Message)
      for (const QString& prompt : prompts)
        if (!prompt.isEmpty() && frame.note.startsWith(prompt)) return true;
  return false;
}

FrameVerdict lastAnswer(const TransferRecord& record) {
  for (qsizetype i = record.frames.size() - 1; i >= 0; --i) {
    const FrameVerdict verdict = record.frames[i].verdict;
    if (verdict == FrameVerdict::CrcError || verdict == FrameVerdict::TimeOut ||
        verdict == FrameVerdict::Sound)
      return verdict;
  }
  return FrameVerdict::TimeOut;
}

// Why a transfer stopped before it changed anything.
QString failureWord(const TransferRecord& record, const TextTables& texts) {
  if (anyPortNote(record, QStringLiteral("lost: "))) return QStringLiteral("port-lost");
  if (anyPortNote(record, QStringLiteral(" not opened: "))) return QStringLiteral("port-busy");
  if (record.refusalCode >= 0) return QStringLiteral("exception");
  if (anyMessageStarting(record, {messageText(&texts, 16)})) return QStringLiteral("wrong-model");
  if (anyMessageStarting(record, {messageText(&texts, 43), messageText(&texts, 45),
                                  extraText(&texts, extra::IdentityBlocked)}))
    return QStringLiteral("identity");
  return lastAnswer(record) == FrameVerdict::CrcError ? QStringLiteral("crc")
                                                      : QStringLiteral("no-answer");
}

QString writtenWord(Written written) {
  switch (written) {
    case Written::None: return QStringLiteral("none");
    case Written::Partial: return QStringLiteral("partial");
    case Written::All: return QStringLiteral("all");
  }
  return {};
}

}  // namespace

OutcomeSummary summarize(const ControllerOutcome& outcome, const TextTables& texts, bool write) {
  const TransferRecord& record = outcome.record;
  OutcomeSummary summary;
  switch (record.outcome) {
    case TransferOutcome::ReadComplete:
    case TransferOutcome::Verified:
      summary.word = QStringLiteral("ok");
      summary.verified = write;
      summary.written = write ? Written::All : Written::None;
      break;
    case TransferOutcome::NotVerified:
      summary.word = QStringLiteral("unverified");
      summary.written = Written::All;
      break;
    case TransferOutcome::WriteFailedAtSlot:
      summary.word = QStringLiteral("partial-write");
      summary.slot = record.slot;
      // A first slot the controller refused was not written.
      summary.written =
          record.slot == kFirstSlot && record.refusalCode >= 0 ? Written::None : Written::Partial;
      break;
    case TransferOutcome::Cancelled:  // only Ctrl-C and the like stop a transfer here
      summary.word = QStringLiteral("interrupted");
      break;
    default: summary.word = failureWord(record, texts);
  }
  if (!outcome.outputProblem.isEmpty()) summary.word = QStringLiteral("output");
  return summary;
}

QJsonObject outcomeJson(const ControllerOutcome& outcome, const OutcomeSummary& summary) {
  QJsonObject entry{{QStringLiteral("port"), outcome.port},
                    {QStringLiteral("outcome"), summary.word},
                    {QStringLiteral("slot"),
                     summary.slot > 0 ? QJsonValue(summary.slot) : QJsonValue(QJsonValue::Null)},
                    {QStringLiteral("written"), writtenWord(summary.written)},
                    {QStringLiteral("verified"), summary.verified}};
  if (summary.word != QLatin1String("ok"))
    entry.insert(QStringLiteral("problems"), QJsonArray::fromStringList(outcome.problems));
  return entry;
}

}  // namespace orvex::cli
