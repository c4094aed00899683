#pragma once
#include <QString>

#include "common/texttables.h"
#include "reports/reportrender.h"

namespace orvex {

// A report's two files: the data file SERIAL.txt and the printable document SERIAL.pdf.
struct ReportPaths {
  QString data;
  QString document;
};
// Report/Txt and Report/Doc of the program directory (found without regard to case), or
// `folder` when one is given (the command line's -o).
ReportPaths reportPaths(const QString& programDir, const QString& serialNumber,
                        const QString& folder = {});

// What became of a report: written, or a message box's title and prompt saying why not.
struct ReportOutcome {
  bool written = false;
  QString path;  // empty when the serial number was refused as a file name
  QString title;
  QString message;
};

// Checks the serial number as a file name, then writes the report atomically (Windows-1252,
// CR LF), replacing an earlier one. The folder Report/Txt is never created here: it is
// delivered with the program, and a missing one is reported like any failed write.
ReportOutcome writeReportFile(const QString& path, const ReportInput& input,
                              const TextTables* texts);

}  // namespace orvex
