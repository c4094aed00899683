#include "reportwriter.h"

#include <QDateTime>
#include <QDir>

#include "common/textfile.h"
#include "lang/extratexts.h"
#include "lang/languages.h"
#include "lang/textlookup.h"
#include "lang/writefailure.h"
#include "reports/reportfile.h"

namespace orvex {

namespace {

constexpr char kProgramName[] = "ORVEX configuration tool";

// The language of the texts as a document language tag.
QString languageTag(const TextTables& texts) {
  const Language* language = languageForBase(texts.languageBase);
  if (!language) return QStringLiteral("en");
  return language->base == 1200 ? QStringLiteral("no") : QLatin1String(language->qtLocale);
}

// *reason: why not, in the program's words (the system's text goes to standard error).
bool writeDocument(const QString& path, const ReportLayout& layout, const TextTables& texts,
                   QString* reason) {
  const QByteArray pdf = reportPdf(layout);
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

ReportPages reportPages(const ReportInput& input, const TextTables& texts,
                        const ReportDocumentHeader& header) {
  ReportPages pages;
  pages.html = reportDocumentHtml(renderReportValues(input, reportNotation(texts)), texts, header);
  pages.pageFooter = extraText(&texts, extra::DocPage);
  pages.documentNumber = reportDocumentNumber(input.serialNumber, header.made);
  ReportMetadata& m = pages.metadata;
  m.title = input.texts[1] + QLatin1Char(' ') + input.serialNumber;
  m.author = QLatin1String(kProgramName);
  m.subject = extraText(&texts, extra::DocSubject);
  m.keywords = QStringList{input.serialNumber};
  if (header.source.set[kModelSlot] != 0) m.keywords << reportModelName(header.source.set, texts);
  m.language = languageTag(texts);
  m.creator = m.author + QLatin1Char(' ') + header.programVersion;
  return pages;
}

ReportDocumentHeader reportHeader(const ValuesOrigin& source, const QString& customer,
                                  const QString& site) {
  return {QDateTime::currentDateTime(), QStringLiteral(ORVEX_VERSION), source, customer, site};
}

WrittenReport writeReport(const ReportPaths& paths, const ReportInput& input,
                          const TextTables& texts, const ReportDocumentHeader& header) {
  using Result = WrittenReport::Result;
  WrittenReport report;
  const ReportOutcome data = writeReportFile(paths.data, input, &texts);
  if (!data.written) {
    report.result = data.path.isEmpty() ? Result::NameRefused : Result::DataNotWritten;
    report.title = data.title;
    report.message = data.message;
    return report;
  }
  report.layout = std::make_shared<const ReportLayout>(reportPages(input, texts, header));
  QString reason;
  if (!writeDocument(paths.document, *report.layout, texts, &reason)) {
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
