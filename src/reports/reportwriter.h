#pragma once
#include <QString>

#include <memory>

#include "common/texttables.h"
#include "reports/reportdocument.h"
#include "reports/reportfile.h"
#include "reports/reportpdf.h"
#include "reports/reportrender.h"

// A report's two files, written the same way by the Report window and by orvex-cli.
namespace orvex {

struct WrittenReport {
  enum class Result { NameRefused, DataNotWritten, DocumentNotWritten, Written };
  Result result = Result::NameRefused;
  std::shared_ptr<const ReportLayout> layout;  // the document's pages, for printing them
  QString title;                               // when not written: a message box's title and prompt
  QString message;
  bool written() const { return result == Result::Written; }
};

// The document's pages for `input`: its values in the reader's notation, its number and
// metadata.
ReportPages reportPages(const ReportInput& input, const TextTables& texts,
                        const ReportDocumentHeader& header);

// The title block's particulars: made now, by this program's version.
ReportDocumentHeader reportHeader(const ValuesOrigin& source, const QString& customer,
                                  const QString& site);

// Checks the serial number as a file name, writes the data file, then the document made from
// the very same values. Each goes through one checked atomic save, so a file that cannot be
// written whole leaves the earlier one as it was; the message names the file and the reason.
WrittenReport writeReport(const ReportPaths& paths, const ReportInput& input,
                          const TextTables& texts, const ReportDocumentHeader& header);

}  // namespace orvex
