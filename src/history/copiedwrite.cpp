#include "copiedwrite.h"

#include <QFile>
#include <utility>

#include "compare/comparison.h"
#include "lang/writefailure.h"

namespace orvex {

bool readStandsAsCopy(const ValuesOrigin& lastRead, const QString& port,
                      const QDateTime& lastWriteBegan, const QDateTime& now) {
  if (lastRead.kind != ValuesOrigin::Kind::Controller || !lastRead.time.isValid()) return false;
  if (lastRead.name.compare(port, Qt::CaseInsensitive) != 0) return false;
  if (lastWriteBegan.isValid() && lastRead.time < lastWriteBegan) return false;
  const qint64 age = lastRead.time.secsTo(now);
  return age >= 0 && age <= kCopyReadFreshSecs;
}

CopiedWrite::CopiedWrite(QString programDir, QString port, QString source,
                         const ParameterSet& toWrite, QDateTime began)
    : programDir_(std::move(programDir)), toWrite_(toWrite) {
  entry_.time = std::move(began);
  entry_.port = std::move(port);
  entry_.source = std::move(source);
}

bool CopiedWrite::keepBefore(const ParameterSet& held, QString* error) {
  entry_.before =
      keepHistoryCopy(programDir_, entry_.time, entry_.port, QStringLiteral("before"), held, error);
  before_ = held;
  return !entry_.before.isEmpty();
}

bool CopiedWrite::record(const QString& device, TransferOutcome outcome, int slot,
                         QString* failedFile, QString* error) {
  entry_.device = device;
  entry_.outcome = historyOutcome(outcome, slot);
  const bool anyWritten = outcome == TransferOutcome::Verified ||
                          outcome == TransferOutcome::NotVerified ||
                          outcome == TransferOutcome::WriteFailedAtSlot;
  bool whole = true;  // the line goes in even when what was written could not be kept
  if (anyWritten) {
    entry_.written = keepHistoryCopy(programDir_, entry_.time, entry_.port,
                                     QStringLiteral("written"), toWrite_, error);
    whole = !entry_.written.isEmpty();
    if (!whole) *failedFile = historyPath(programDir_);
  }
  entry_.changed = entry_.before.isEmpty() ? -1 : changedSettings(before_, toWrite_, outcome, slot);
  QString appendError;
  if (appendHistory(programDir_, entry_, &appendError)) return whole;
  if (whole) {
    *failedFile = historyPath(programDir_, QLatin1String(kHistoryFile));
    *error = appendError;
  }
  return false;
}

int changedSettings(const ParameterSet& before, const ParameterSet& written,
                    TransferOutcome outcome, int slot) {
  ParameterSet after = before;
  int lastWritten = kLastSlot;
  if (outcome == TransferOutcome::WriteFailedAtSlot) lastWritten = slot - 1;
  else if (outcome != TransferOutcome::Verified && outcome != TransferOutcome::NotVerified)
    lastWritten = 0;
  for (int k = kFirstSlot; k <= lastWritten; ++k)
    if (k != kModelSlot) after[k] = written[k];
  return static_cast<int>(compareSets(after, before, EditorWording{}).size());
}

QString copyNotKeptReason(const TextTables* texts, const QString& programDir,
                          const QString& error) {
  return writeFailureReason(texts, historyPath(programDir, QStringLiteral("copy.QVT")), error);
}

QString editorSource(const ValuesOrigin& origin, const ParameterSet& edited) {
  if (origin.kind == ValuesOrigin::Kind::Editor || !sameSettings(edited, origin.set))
    return QStringLiteral("editor");
  if (origin.kind == ValuesOrigin::Kind::File)  // a copy from History carries its folder
    return origin.name.contains(QLatin1Char('/')) ? origin.name
                                                  : QStringLiteral("CONFIG/") + origin.name;
  return QStringLiteral("read from ") + origin.name;
}

}  // namespace orvex
