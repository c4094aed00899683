#pragma once
#include <QDateTime>
#include <QString>

#include "common/parameterset.h"
#include "common/valuesorigin.h"
#include "history/history.h"

namespace orvex {

// A read of the controller this recent, on the same port and with nothing written since, is
// what it holds: the write takes it as its copy instead of reading again.
inline constexpr qint64 kCopyReadFreshSecs = 5 * 60;

// True when `lastRead` may stand as the copy of what the controller on `port` holds at `now`:
// a complete read (identity checked) of that port, taken after the last write there began.
bool readStandsAsCopy(const ValuesOrigin& lastRead, const QString& port,
                      const QDateTime& lastWriteBegan, const QDateTime& now);

// One write of `toWrite` to the controller on `port`, as the history keeps it: the copy of
// what the controller held, kept before the first register goes out, and afterwards the
// configuration written and the line in history.csv.
class CopiedWrite {
 public:
  CopiedWrite(QString programDir, QString port, QString source, const ParameterSet& toWrite,
              QDateTime began = QDateTime::currentDateTime());

  // Keeps what the controller holds as History/...-before.QVT; false with *error (the
  // system's words) when it could not be written.
  bool keepBefore(const ParameterSet& held, QString* error);
  // The write ended so: its line in history.csv, with the configuration written kept beside
  // it when anything reached the controller. False with *error when history.csv could not
  // be written (*failedFile: which file).
  bool record(const QString& device, TransferOutcome outcome, int slot, QString* failedFile,
              QString* error);

  const HistoryEntry& entry() const { return entry_; }
  const QDateTime& began() const { return entry_.time; }

 private:
  QString programDir_;
  ParameterSet toWrite_;
  ParameterSet before_;
  HistoryEntry entry_;
};

// The settings that differ between `before` and what a write left: for a write stopped at
// `slot`, only the slots before it count as written.
int changedSettings(const ParameterSet& before, const ParameterSet& written,
                    TransferOutcome outcome, int slot);

// Why a copy could not be kept (keepBefore's *error, the system's words), in the words of
// `texts`, as the user is told.
QString copyNotKeptReason(const TextTables* texts, const QString& programDir, const QString& error);

// What the editor's values are, for the history: the file they were loaded from or saved
// as, or the read of a controller, while the editor still shows exactly those; otherwise
// "editor".
QString editorSource(const ValuesOrigin& origin, const ParameterSet& edited);

}  // namespace orvex
