#include "reportpdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace orvex {
namespace {

constexpr qreal kMarginMm = 12;
constexpr qreal kFooterMm = 6;
constexpr qreal kBodyPointSize = 9;

qreal millimetresToDevice(qreal mm, const QPagedPaintDevice& device) {
  return mm / 25.4 * device.logicalDpiY();
}

void paintFooter(QPainter& painter, const QRectF& area, const ReportPages& pages, int page,
                 int count) {
  painter.save();
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(kBodyPointSize - 1);
  painter.setFont(font);
  painter.setPen(QColor(80, 80, 80));
  painter.drawText(area, Qt::AlignLeft | Qt::AlignBottom, pages.serialNumber);
  painter.drawText(area, Qt::AlignRight | Qt::AlignBottom, pages.pageFooter.arg(page).arg(count));
  painter.restore();
}

}  // namespace

void setUpReportPage(QPagedPaintDevice* device) {
  device->setPageSize(QPageSize(QPageSize::A4));
  device->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                         QPageLayout::Millimeter);
}

int paintReport(QPagedPaintDevice* device, const ReportPages& pages) {
  QTextDocument document;
  document.documentLayout()->setPaintDevice(device);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(kBodyPointSize);
  // A letter spacing, however small, keeps Qt from joining "ff" or "fi" into one ligature
  // glyph: the document's text must read back and search as typed ("Toff").
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
  document.setDefaultFont(font);
  document.setHtml(pages.html);

  const QRectF page = device->pageLayout().paintRectPixels(device->logicalDpiX());
  const qreal footer = millimetresToDevice(kFooterMm, *device);
  const QSizeF body(page.width(), page.height() - footer);
  document.setPageSize(body);
  document.setDocumentMargin(0);
  const int count = document.pageCount();

  QPainter painter;
  if (!painter.begin(device)) return 0;
  for (int n = 0; n < count; ++n) {
    if (n > 0) device->newPage();
    painter.save();
    painter.translate(0, -n * body.height());
    const QRectF visible(0, n * body.height(), body.width(), body.height());
    document.drawContents(&painter, visible);
    painter.restore();
    paintFooter(painter, QRectF(0, 0, page.width(), page.height()), pages, n + 1, count);
  }
  painter.end();
  return count;
}

QByteArray reportPdf(const ReportPages& pages) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  setUpReportPage(&writer);
  writer.setResolution(300);
  writer.setCreator(QStringLiteral("ORVEX configuration tool"));
  writer.setTitle(pages.serialNumber);
  // The painter's end wrote the whole document, trailer included.
  return paintReport(&writer, pages) > 0 ? pdf : QByteArray();
}

}  // namespace orvex
