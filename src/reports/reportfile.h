#pragma once
#include <QString>

#include "lang/texttables.h"
#include "reports/reportrender.h"

namespace orvex {

// Report/Txt/SERIAL.txt in the program directory (folders found without regard to case).
QString reportFilePath(const QString& programDir, const QString& serialNumber);
// Report/Doc/SERIAL.pdf, the printable report beside it.
QString reportDocumentPath(const QString& programDir, const QString& serialNumber);

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
ReportOutcome writeReportFile(const QString& programDir, const ReportInput& input,
                              const TextTables* texts);
// The same into a file named by the caller (the command line's own folder).
ReportOutcome writeReportFileAt(const QString& path, const ReportInput& input,
                                const TextTables* texts);

}  // namespace orvex
