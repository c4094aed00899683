#pragma once
#include <QByteArray>
#include <QString>

#include <memory>

#include <QStringList>

class QBuffer;
class QPagedPaintDevice;
class QPdfWriter;
class QTextDocument;

// The printable report on paper: A4 pages of a PDF file or a printer, with the document
// number and "Page n of m" at the foot of every page.
namespace orvex {

// What an archive reads of the PDF besides its pages.
struct ReportMetadata {
  QString title;   // the report's title and the serial number
  QString author;  // the program
  QString subject;
  QStringList keywords;  // serial number, model
  QString language;      // "de"
  QString creator;       // the program and its version
};

struct ReportPages {
  QString html;            // reportDocumentHtml()
  QString pageFooter;      // "Page %1 of %2", filled per page
  QString documentNumber;  // at the foot of every page
  ReportMetadata metadata;
};

// A4 with the report's margins, for the PDF and for a printer alike.
void setUpReportPage(QPagedPaintDevice* device);

// The report laid out once, at one resolution, into pages; the PDF and a printer get the
// very same pages, scaled to their resolution. The signature block is never split and never
// alone on a page: the last group of values goes with it to the next page when needed.
class ReportLayout {
 public:
  explicit ReportLayout(const ReportPages& pages);
  ~ReportLayout();
  ReportLayout(const ReportLayout&) = delete;
  ReportLayout& operator=(const ReportLayout&) = delete;

  int pageCount() const;
  const ReportPages& pages() const { return pages_; }
  // Paints every page on `device`; false when it cannot be painted on.
  bool paint(QPagedPaintDevice* device) const;

 private:
  void keepSignatureWithValues();

  ReportPages pages_;
  std::unique_ptr<QBuffer> layoutSink_;
  std::unique_ptr<QPdfWriter> layoutDevice_;
  std::unique_ptr<QTextDocument> document_;
};

// The report as a PDF/A-1b document, made in memory: the PDF writer does not check its own
// writes, so a file is written from these bytes in one checked save. Empty when it cannot be
// painted.
QByteArray reportPdf(const ReportLayout& layout);

}  // namespace orvex
