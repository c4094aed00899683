#pragma once
#include <QDate>
#include <QString>
#include <QStringList>

#include "common/texttables.h"

// The printable commissioning report: the same 80 values as the report's data file, laid out
// as the editor groups them (mains, start sequence, stop sequence, alternator, digital
// inputs) under a title block, with lines to sign at the foot. Plain logic: the result is
// rich text for QTextDocument; reportpdf.h puts it on A4 pages.
namespace orvex {

struct ReportDocumentHeader {
  QDate date;
  QString programVersion;  // "5.0"
};

// `values`: the 80 values of the record (renderReportValues), in file order. `texts`: the
// current language's tables, for the document's own words.
QString reportDocumentHtml(const QStringList& values, const TextTables& texts,
                           const ReportDocumentHeader& header);

}  // namespace orvex
