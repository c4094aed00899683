#pragma once
#include <QDateTime>
#include <QList>
#include <QString>

#include "common/parameterset.h"
#include "common/texttables.h"
#include "link/framelog.h"

// The history of writes to controllers, kept in the program directory's History folder: the
// configuration each controller held before a write ("before" copy), what was written, and
// one line a write in History/history.csv (UTF-8, CR LF, a header line, fields quoted as
// spreadsheets expect). A write overwrites the controller's configuration; with the copy it
// can be written back.
namespace orvex {

inline constexpr char kHistoryFolder[] = "History";
inline constexpr char kHistoryFile[] = "history.csv";
// Lines beyond the newest this many go, with their copies, except the newest copy of each
// port. A copy is about 300 bytes (a few KB on disk): some 4 MB at the most.
inline constexpr int kHistoryWritesKept = 1000;

struct HistoryEntry {
  QDateTime time;    // when the write began
  QString port;      // COM1, or the device named
  QString device;    // what the port led to
  QString source;    // the file written, or the editor's values
  QString outcome;   // historyOutcome()
  QString before;    // the copy of what the controller held, relative to the program
                     // directory (History/...); empty: none kept
  QString written;   // the configuration written, likewise
  int changed = -1;  // settings the write changed (before against written); -1: not known
};

// How the write ended, in the words history.csv keeps: "verified", "written but not
// verified", "partial at slot N", "failed before writing".
QString historyOutcome(TransferOutcome outcome, int slot);
// An outcome, and the source "editor", as the user reads them in the chosen language.
QString shownOutcome(const TextTables* texts, const QString& outcome);
QString shownSource(const TextTables* texts, const QString& source);

// The folder and a file of the history in `programDir` (ending in a separator).
QString historyPath(const QString& programDir, const QString& relative = {});

// Keeps `set` as History/YYYYMMDD-HHMMSS-PORT-KIND.QVT (kind "before" or "written"), written
// atomically; the name relative to the program directory, empty with *error on failure.
QString keepHistoryCopy(const QString& programDir, const QDateTime& time, const QString& port,
                        const QString& kind, const ParameterSet& set, QString* error);

// Appends `entry` to history.csv and removes what lies beyond kHistoryWritesKept. Other
// programs writing at the same time wait for each other (a lock file). False with *error
// when history.csv could not be written (it is then as it was).
bool appendHistory(const QString& programDir, const HistoryEntry& entry, QString* error);

// Every line of history.csv, oldest first; none when there is no history yet. False with
// *problem when the file cannot be read; lines that are not entries are skipped.
bool readHistory(const QString& programDir, QList<HistoryEntry>* entries, QString* problem);

// history.csv's text for `entries`, and the entries of such a text (exposed for the tests).
QString formatHistory(const QList<HistoryEntry>& entries);
QList<HistoryEntry> parseHistory(const QString& text);

// The entries to drop so that at most `kept` remain: the oldest, but never the one holding the
// newest copy of a port. Indexes into `entries`, oldest first.
QList<int> entriesBeyond(const QList<HistoryEntry>& entries, int kept);

}  // namespace orvex
