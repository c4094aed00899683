#include "reportfile.h"

#include <QDir>

#include "common/textfile.h"
#include "files/filename.h"
#include "files/filetexts.h"
#include "lang/extratexts.h"
#include "lang/writefailure.h"

namespace orvex {

namespace {

QString reportFolderFile(const QString& programDir, const char* folder, const QString& name) {
  const QString report = findFileNoCase(programDir, QStringLiteral("Report"));
  return QDir(findFileNoCase(report, QLatin1String(folder))).filePath(name);
}

}  // namespace

QString reportFilePath(const QString& programDir, const QString& serialNumber) {
  return reportFolderFile(programDir, "Txt", serialNumber + QStringLiteral(".txt"));
}

QString reportDocumentPath(const QString& programDir, const QString& serialNumber) {
  return reportFolderFile(programDir, "Doc", serialNumber + QStringLiteral(".pdf"));
}

ReportOutcome writeReportFile(const QString& programDir, const ReportInput& input,
                              const TextTables* texts) {
  return writeReportFileAt(reportFilePath(programDir, input.serialNumber), input, texts);
}

ReportOutcome writeReportFileAt(const QString& path, const ReportInput& input,
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
