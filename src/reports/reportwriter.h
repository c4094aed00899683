#pragma once
#include <QString>

#include "lang/texttables.h"
#include "reports/reportdocument.h"
#include "reports/reportpdf.h"
#include "reports/reportrender.h"

// A report's two files, written the same way by the Report window and by orvex-cli.
namespace orvex {

struct ReportPaths {
  QString data;      // SERIAL.txt
  QString document;  // SERIAL.pdf
};

struct WrittenReport {
  enum class Result { NameRefused, DataNotWritten, DocumentNotWritten, Written };
  Result result = Result::NameRefused;
  ReportPages pages;  // what the document shows, for printing it again
  QString title;      // when not written: a message box's title and prompt
  QString message;
  bool written() const { return result == Result::Written; }
};

// Checks the serial number as a file name, writes the data file, then the document made from
// the very same values. Each goes through one checked atomic save, so a file that cannot be
// written whole leaves the earlier one as it was; the message names the file and the reason.
WrittenReport writeReport(const ReportPaths& paths, const ReportInput& input,
                          const TextTables& texts, const ReportDocumentHeader& header);

}  // namespace orvex
