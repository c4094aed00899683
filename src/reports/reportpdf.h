#pragma once
#include <QString>

class QPagedPaintDevice;

// The printable report on paper: A4 pages of a PDF file or a printer, with the page number
// and the serial number at the foot of every page.
namespace orvex {

struct ReportPages {
  QString html;        // reportDocumentHtml()
  QString pageFooter;  // "Page %1 of %2", filled per page
  QString serialNumber;
};

// A4 with the report's margins, for the PDF and for a printer alike.
void setUpReportPage(QPagedPaintDevice* device);

// Lays the report out on `device`; the number of pages, or 0 when the device cannot be
// painted on.
int paintReport(QPagedPaintDevice* device, const ReportPages& pages);

// Writes the report as a PDF document, atomically: on failure *error says why and any earlier
// file of that name is whole.
bool writeReportPdf(const QString& path, const ReportPages& pages, QString* error);

}  // namespace orvex
