#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "common/texttables.h"
#include "common/valuesorigin.h"
#include "reports/reportrender.h"

// The printable commissioning report: the same 80 values as the report's data file, laid out
// as the editor groups them (mains, start sequence, stop sequence, alternator, digital
// inputs) under a title block that says what the document records, with lines to sign at
// the foot. Plain logic: the result is rich text for QTextDocument; reportpdf.h puts it on
// A4 pages.
namespace orvex {

struct ReportDocumentHeader {
  QDateTime made;          // when the document was made: its date, part of its number
  QString programVersion;  // "5.0"
  ValuesOrigin source;     // where the values came from; its model slot names the model
  QString customer;        // optional, as typed
  QString site;
};

// The anchor of the block that begins the last group of values: the signature block is kept
// on a page with that group.
inline constexpr char kLastGroupAnchor[] = "last-group";

// `values`: the 80 values of the record (renderReportValues), in file order, written in the
// reader's notation. `texts`: the current language's tables, for the document's own words.
QString reportDocumentHtml(const QStringList& values, const TextTables& texts,
                           const ReportDocumentHeader& header);

// What the title block and every page name the document by: the serial number and the time
// it was made ("SN 0042-20250105-1432").
QString reportDocumentNumber(const QString& serialNumber, const QDateTime& made);
// "ORVEX", "ORVEX-LT", or that the values do not record it (slot 45 is 0 unless read).
QString reportModelName(const ParameterSet& values, const TextTables& texts);
// "read from the controller on COM1 at 2025-01-05 14:30", "configuration file X.QVT", ...
QString reportSourceText(const ValuesOrigin& source, const TextTables& texts);
// The language's decimal point and unit words; the data file's where the texts have none.
ReportNotation reportNotation(const TextTables& texts);

}  // namespace orvex
