#pragma once
#include <QByteArray>
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

// The report as a PDF document, made in memory: the PDF writer does not check its own writes,
// so a file is written from these bytes in one checked save. Empty when it cannot be painted.
QByteArray reportPdf(const ReportPages& pages);

}  // namespace orvex
