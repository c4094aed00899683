#include "reportfile.h"

#include <QDir>

#include "common/textfile.h"
#include "files/filename.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "lang/writefailure.h"

namespace orvex {

namespace {

QString reportFolderFile(const QString& programDir, const char* folder, const QString& name) {
  const QString report = findFileNoCase(programDir, QStringLiteral("Report"));
  return QDir(findFileNoCase(report, QLatin1String(folder))).filePath(name);
}

}  // namespace

ReportPaths reportPaths(const QString& programDir, const QString& serialNumber,
                        const QString& folder) {
  const QString data = serialNumber + QStringLiteral(".txt");
  const QString document = serialNumber + QStringLiteral(".pdf");
  if (!folder.isEmpty()) return {QDir(folder).filePath(data), QDir(folder).filePath(document)};
  return {reportFolderFile(programDir, "Txt", data), reportFolderFile(programDir, "Doc", document)};
}

ReportOutcome writeReportFile(const QString& path, const ReportInput& input,
                              const TextTables* texts) {
  ReportOutcome outcome;
  if (const NameProblem problem = checkStorableName(input.serialNumber, texts); !problem.ok()) {
    outcome.title = problem.title;
    outcome.message = problem.prompt;
    return outcome;
  }
  outcome.path = path;
  QString reason;
  if (!writeTextFileAtomic(outcome.path, renderReport(input), &reason)) {
    outcome.title = extraText(texts, extra::WriteFailedTitle);
    outcome.message = extraText(texts, extra::WriteFailed)
                          .arg(QDir::toNativeSeparators(outcome.path),
                               writeFailureReason(texts, outcome.path, reason));
    return outcome;
  }
  outcome.written = true;
  return outcome;
}

}  // namespace orvex
