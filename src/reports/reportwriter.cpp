#include "reportwriter.h"

#include <QDir>

#include "common/textfile.h"
#include "files/filetexts.h"
#include "lang/extratexts.h"
#include "lang/writefailure.h"
#include "reports/reportfile.h"

namespace orvex {

namespace {

// *reason: why not, in the program's words (the system's text goes to standard error).
bool writeDocument(const QString& path, const ReportPages& pages, const TextTables& texts,
                   QString* reason) {
  const QByteArray pdf = reportPdf(pages);
  if (pdf.isEmpty()) {
    *reason = QStringLiteral("the document could not be laid out");
    return false;
  }
  QString systemText;
  if (writeBytesAtomic(path, pdf, &systemText)) return true;
  *reason = writeFailureReason(&texts, path, systemText);
  return false;
}

}  // namespace

WrittenReport writeReport(const ReportPaths& paths, const ReportInput& input,
                          const TextTables& texts, const ReportDocumentHeader& header) {
  using Result = WrittenReport::Result;
  WrittenReport report;
  const ReportOutcome data = writeReportFileAt(paths.data, input, &texts);
  if (!data.written) {
    report.result = data.path.isEmpty() ? Result::NameRefused : Result::DataNotWritten;
    report.title = data.title;
    report.message = data.message;
    return report;
  }
  report.pages = {reportDocumentHtml(renderReportValues(input), texts, header),
                  extraText(&texts, extra::DocPage), input.serialNumber};
  QString reason;
  if (!writeDocument(paths.document, report.pages, texts, &reason)) {
    report.result = Result::DocumentNotWritten;
    report.title = extraText(&texts, extra::WriteFailedTitle);
    report.message = extraText(&texts, extra::ReportPdfFailed)
                         .arg(QDir::toNativeSeparators(paths.document), reason,
                              QDir::toNativeSeparators(paths.data));
    return report;
  }
  report.result = Result::Written;
  return report;
}

}  // namespace orvex
