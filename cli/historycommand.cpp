#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include "cli/commands.h"
#include "cli/results.h"
#include "history/history.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex::cli {
namespace {

QJsonObject entryJson(const HistoryEntry& e) {
  return {{QStringLiteral("time"), e.time.toString(Qt::ISODate)},
          {QStringLiteral("port"), e.port},
          {QStringLiteral("device"), e.device},
          {QStringLiteral("source"), e.source},
          {QStringLiteral("outcome"), e.outcome},
          {QStringLiteral("before"), e.before.isEmpty() ? QJsonValue() : QJsonValue(e.before)},
          {QStringLiteral("written"), e.written.isEmpty() ? QJsonValue() : QJsonValue(e.written)},
          {QStringLiteral("changed"), e.changed < 0 ? QJsonValue() : QJsonValue(e.changed)}};
}

// "2026-12-07 14:15:02  COM1  CONFIG/FACTORY.QVT  verified  History/...-before.QVT  3"
QString entryLine(const TextTables& texts, const HistoryEntry& e) {
  QStringList fields = {e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), e.port,
                        shownSource(&texts, e.source), shownOutcome(&texts, e.outcome),
                        e.before.isEmpty() ? QStringLiteral("-")
                                           : QDir::toNativeSeparators(e.before)};
  if (e.changed >= 0)
    fields << extraText(&texts, extra::HistoryChangedColumn) + QStringLiteral(": ") +
                  QString::number(e.changed);
  return fields.join(QStringLiteral("  "));
}

}  // namespace

int runHistory(const Session& s, QTextStream& out) {
  Results results(s, "history");
  QList<HistoryEntry> entries;
  QString problem;
  const QString dir = s.link.programDir;
  if (!readHistory(dir, &entries, &problem)) {
    const QString file = QDir::toNativeSeparators(historyPath(dir, QLatin1String(kHistoryFile)));
    results.refuse(extraText(&s.link.texts, extra::FileUnreadable).arg(file, problem),
                   kControllerFailed);
    return results.print(out);
  }
  QJsonArray writes;
  for (qsizetype i = entries.size() - 1; i >= 0; --i) {  // newest first
    writes.append(entryJson(entries[i]));
    results.line(entryLine(s.link.texts, entries[i]));
  }
  if (entries.isEmpty()) results.line(extraText(&s.link.texts, extra::HistoryEmpty));
  results.set(QStringLiteral("writes"), writes);
  return results.print(out);
}

}  // namespace orvex::cli
