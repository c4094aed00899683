#include "reportfields.h"

#include <QDir>
#include <QStringList>

#include "common/cp1252.h"
#include "common/textfile.h"

namespace orvex {
namespace {

QString path(const QString& programDir) {
  return findFileNoCase(programDir, QLatin1String(kReportFieldsFile));
}

// One line each: a line break or a control character typed (or given on a command line)
// would shift the site into the customer's place.
QString oneLine(QString text) {
  for (QChar& c : text)
    if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
  return text.trimmed().left(kReportFieldLongest);
}

}  // namespace

ReportFields readReportFields(const QString& programDir) {
  QString content;
  if (!readTextFile(path(programDir), kSettingsFileLimit, &content)) return {};
  const QStringList lines = content.split(QStringLiteral("\r\n"));
  return {oneLine(lines.value(0)), oneLine(lines.value(1))};
}

bool keepReportFields(const QString& programDir, const ReportFields& fields, QString* error) {
  const ReportFields kept{oneLine(fields.customer), oneLine(fields.site)};
  if (kept == readReportFields(programDir)) return true;
  const QString lineEnd = QStringLiteral("\r\n");
  return writeTextFileAtomic(path(programDir), kept.customer + lineEnd + kept.site + lineEnd,
                             error);
}

QString unstorableReportCharacters(const ReportFields& fields) {
  return charactersWithoutCp1252Form(fields.customer + fields.site);
}

}  // namespace orvex
