#include "history.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QRegularExpression>
#include <QStringList>

#include "common/textfile.h"
#include "files/filename.h"
#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex {
namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QStringList kColumns = {"time",    "port",   "device",  "source",
                              "outcome", "before", "written", "changed"};
constexpr qint64 kHistoryFileLimit = 8 * 1024 * 1024;  // far beyond kHistoryWritesKept lines
constexpr int kLockWaitMs = 10'000;                    // another program's append takes ms

// A field as spreadsheets read it: quoted when it holds a separator or a quote.
QString csvField(QString field) {
  field.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"'))) return field;
  return QLatin1Char('"') + field.replace(QLatin1String("\""), QLatin1String("\"\"")) +
         QLatin1Char('"');
}

QStringList csvFields(const QString& line) {
  QStringList fields;
  QString field;
  bool quoted = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (quoted && c == QLatin1Char('"')) {
      if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) field += line[++i];
      else quoted = false;
    } else if (c == QLatin1Char('"') && field.isEmpty()) {
      quoted = true;
    } else if (c == QLatin1Char(',') && !quoted) {
      fields << field;
      field.clear();
    } else {
      field += c;
    }
  }
  fields << field;
  return fields;
}

// Only copies of this history are ever removed: a line edited by hand to name a file
// elsewhere does not make the program delete it.
void removeCopy(const QString& programDir, const QString& relative) {
  static const QRegularExpression copyName(
      QStringLiteral("^History/\\d{8}-\\d{6}-[A-Za-z0-9._-]+-(before|written)(-\\d+)?\\.QVT$"));
  if (copyName.match(relative).hasMatch()) QFile::remove(programDir + relative);
}

}  // namespace

QString historyOutcome(TransferOutcome outcome, int slot) {
  switch (outcome) {
    case TransferOutcome::Verified: return QStringLiteral("verified");
    case TransferOutcome::NotVerified: return QStringLiteral("written but not verified");
    case TransferOutcome::WriteFailedAtSlot: return QStringLiteral("partial at slot %1").arg(slot);
    default: return QStringLiteral("failed before writing");
  }
}

QString shownOutcome(const TextTables* texts, const QString& outcome) {
  static const QRegularExpression partial(QStringLiteral("^partial at slot (\\d+)$"));
  if (const auto match = partial.match(outcome); match.hasMatch())
    return extraText(texts, extra::HistoryPartial).arg(match.captured(1));
  const std::pair<const char*, int> words[] = {{"verified", extra::HistoryVerified},
                                               {"written but not verified",
                                                extra::HistoryUnverified},
                                               {"failed before writing",
                                                extra::HistoryFailedBefore}};
  for (const auto& [word, item] : words)
    if (outcome == QLatin1String(word)) return extraText(texts, item);
  return outcome;
}

QString shownSource(const TextTables* texts, const QString& source) {
  return source == QLatin1String("editor") ? extraText(texts, extra::HistoryEditorSource) : source;
}

QString historyPath(const QString& programDir, const QString& relative) {
  const QString folder = programDir + QLatin1String(kHistoryFolder) + QLatin1Char('/');
  return relative.isEmpty() ? folder : folder + relative;
}

QString keepHistoryCopy(const QString& programDir, const QDateTime& time, const QString& port,
                        const QString& kind, const ParameterSet& set, QString* error) {
  if (!QDir().mkpath(historyPath(programDir))) {
    *error = QStringLiteral("cannot make the folder");
    return {};
  }
  const QString stem = time.toString(QStringLiteral("yyyyMMdd-HHmmss-")) + portFileName(port) +
                       QLatin1Char('-') + kind;
  QString name = stem + QStringLiteral(".QVT");
  for (int n = 2; QFileInfo::exists(historyPath(programDir, name)); ++n)
    name = stem + QStringLiteral("-%1.QVT").arg(n);
  if (!writeQvtFile(historyPath(programDir, name), set, error)) return {};
  return QLatin1String(kHistoryFolder) + QLatin1Char('/') + name;
}

QString formatHistory(const QList<HistoryEntry>& entries) {
  QString text = kColumns.join(QLatin1Char(',')) + QStringLiteral("\r\n");
  for (const HistoryEntry& e : entries) {
    const QStringList fields = {e.time.toString(kTimeFormat),
                                e.port,
                                e.device,
                                e.source,
                                e.outcome,
                                e.before,
                                e.written,
                                e.changed < 0 ? QString() : QString::number(e.changed)};
    QStringList quoted;
    for (const QString& field : fields) quoted << csvField(field);
    text += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
  }
  return text;
}

QList<HistoryEntry> parseHistory(const QString& text) {
  QList<HistoryEntry> entries;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const QStringList f = csvFields(line.trimmed());
    const QDateTime time = QDateTime::fromString(f.value(0), kTimeFormat);
    if (f.size() < kColumns.size() || !time.isValid()) continue;  // the header, a damaged line
    bool number = false;
    const int changed = f[7].toInt(&number);
    entries.append({time, f[1], f[2], f[3], f[4], f[5], f[6], number ? changed : -1});
  }
  return entries;
}

bool readHistory(const QString& programDir, QList<HistoryEntry>* entries, QString* problem) {
  entries->clear();
  QFile file(historyPath(programDir, QLatin1String(kHistoryFile)));
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) {
    *problem = file.errorString();
    return false;
  }
  if (file.size() > kHistoryFileLimit) {
    *problem = QStringLiteral("%1 bytes: too large for a history").arg(file.size());
    return false;
  }
  *entries = parseHistory(QString::fromUtf8(file.readAll()));
  return true;
}

QList<int> entriesBeyond(const QList<HistoryEntry>& entries, int kept) {
  const qsizetype excess = entries.size() - kept;
  if (excess <= 0) return {};
  QHash<QString, int> newestCopy;  // port -> its newest entry with a copy
  for (int i = 0; i < entries.size(); ++i)
    if (!entries[i].before.isEmpty()) newestCopy[entries[i].port.toUpper()] = i;
  QList<int> dropped;
  for (int i = 0; i < entries.size() && dropped.size() < excess; ++i)
    if (newestCopy.value(entries[i].port.toUpper(), -1) != i) dropped << i;
  return dropped;
}

bool appendHistory(const QString& programDir, const HistoryEntry& entry, QString* error) {
  if (!QDir().mkpath(historyPath(programDir))) {
    *error = QStringLiteral("cannot make the folder");
    return false;
  }
  QLockFile lock(historyPath(programDir, QLatin1String(kHistoryFile) + QStringLiteral(".lock")));
  if (!lock.tryLock(kLockWaitMs)) {
    *error = QStringLiteral("another program holds it");
    return false;
  }
  QList<HistoryEntry> entries;
  if (!readHistory(programDir, &entries, error)) return false;
  entries.append(entry);
  const QList<int> dropped = entriesBeyond(entries, kHistoryWritesKept);
  QList<HistoryEntry> gone;
  for (qsizetype i = dropped.size() - 1; i >= 0; --i) gone << entries.takeAt(dropped[i]);
  if (!writeBytesAtomic(historyPath(programDir, QLatin1String(kHistoryFile)),
                        formatHistory(entries).toUtf8(), error))
    return false;
  for (const HistoryEntry& old : gone) {
    removeCopy(programDir, old.before);
    removeCopy(programDir, old.written);
  }
  return true;
}

}  // namespace orvex
