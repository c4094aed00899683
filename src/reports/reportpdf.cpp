#include "reportpdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include "reports/reportdocument.h"

namespace orvex {
namespace {

// The resolution of the one layout: a printer's high resolution, so that the PDF is painted
// unscaled and a printer at most scaled down.
constexpr int kLayoutDpi = 1200;
constexpr qreal kMarginMm = 12;
constexpr qreal kFooterMm = 6;
constexpr qreal kBodyPointSize = 9;
constexpr qreal kFooterPointSize = 8;

QPageLayout reportPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                     QPageLayout::Millimeter);
}

// In layout units, so that it keeps its size on a device of another resolution (a point
// size would be taken at the painter's own resolution and then scaled once more).
QFont footerFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(qRound(kFooterPointSize * kLayoutDpi / 72.0));
  return font;
}

// The document number at the left, cut in the middle when it would reach "Page n of m".
void paintFooter(QPainter& painter, const QRectF& area, const ReportPages& pages, int page,
                 int count) {
  painter.save();
  const QFont font = footerFont();
  painter.setFont(font);
  painter.setPen(QColor(80, 80, 80));
  const QString pageText = pages.pageFooter.arg(page).arg(count);
  const QFontMetricsF metrics(font);
  const qreal gap = metrics.averageCharWidth() * 3;
  const qreal room = area.width() - metrics.horizontalAdvance(pageText) - gap;
  painter.drawText(area, Qt::AlignLeft | Qt::AlignBottom,
                   metrics.elidedText(pages.documentNumber, Qt::ElideMiddle, room));
  painter.drawText(area, Qt::AlignRight | Qt::AlignBottom, pageText);
  painter.restore();
}

int pageOf(qreal y, qreal pageHeight) { return static_cast<int>(y / pageHeight); }

QTextBlock anchoredBlock(const QTextDocument& document, const QString& anchor) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().anchorNames().contains(anchor)) return block;
  return {};
}

QString xmlEscaped(const QString& text) { return text.toHtmlEscaped(); }

// The XMP packet of a PDF/A-1b document. What the PDF writer puts in the document's
// information dictionary (title, creator, producer, creation date) must read the same here.
QByteArray xmpMetadata(const ReportMetadata& m, const QDateTime& createdUtc) {
  const QString date = createdUtc.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss'Z'"));
  const QString packet = QStringLiteral(
      "<?xpacket begin='\uFEFF' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
      "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
      "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
      "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>\n"
      "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>%1</rdf:li></rdf:Alt></dc:title>\n"
      "<dc:creator><rdf:Seq><rdf:li>%2</rdf:li></rdf:Seq></dc:creator>\n"
      "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>%3</rdf:li></rdf:Alt>"
      "</dc:description>\n"
      "<dc:language><rdf:Bag><rdf:li>%4</rdf:li></rdf:Bag></dc:language>\n"
      "</rdf:Description>\n"
      "<rdf:Description rdf:about='' xmlns:xmp='http://ns.adobe.com/xap/1.0/' "
      "xmp:CreatorTool='%5' xmp:CreateDate='%6' xmp:ModifyDate='%6'/>\n"
      "<rdf:Description rdf:about='' xmlns:pdf='http://ns.adobe.com/pdf/1.3/' "
      "pdf:Producer='%7' pdf:Keywords='%8'/>\n"
      "<rdf:Description rdf:about='' xmlns:pdfaid='http://www.aiim.org/pdfa/ns/id/' "
      "pdfaid:part='1' pdfaid:conformance='B'/>\n"
      "</rdf:RDF>\n"
      "</x:xmpmeta>\n"
      "<?xpacket end='w'?>");
  return packet
      .arg(xmlEscaped(m.title), xmlEscaped(m.author), xmlEscaped(m.subject), xmlEscaped(m.language),
           xmlEscaped(m.creator), date, QStringLiteral("Qt " QT_VERSION_STR),
           xmlEscaped(m.keywords.join(QStringLiteral(", "))))
      .toUtf8();
}

QByteArray writePdf(const ReportLayout& layout, const QDateTime& createdUtc) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
  setUpReportPage(&writer);
  writer.setResolution(kLayoutDpi);
  const ReportMetadata& metadata = layout.pages().metadata;
  writer.setTitle(metadata.title);
  writer.setCreator(metadata.creator);
  writer.setDocumentXmpMetadata(xmpMetadata(metadata, createdUtc));
  // The painter's end wrote the whole document, trailer included.
  return layout.paint(&writer) ? pdf : QByteArray();
}

}  // namespace

void setUpReportPage(QPagedPaintDevice* device) { device->setPageLayout(reportPageLayout()); }

ReportLayout::ReportLayout(const ReportPages& pages)
    : pages_(pages),
      layoutSink_(std::make_unique<QBuffer>()),
      layoutDevice_(std::make_unique<QPdfWriter>(layoutSink_.get())),
      document_(std::make_unique<QTextDocument>()) {
  // Laid out on a PDF writer of the layout resolution that is never painted on, whatever
  // the screen or printer; design metrics keep glyph advances free of hinting.
  layoutDevice_->setResolution(kLayoutDpi);
  setUpReportPage(layoutDevice_.get());
  document_->documentLayout()->setPaintDevice(layoutDevice_.get());
  document_->setUseDesignMetrics(true);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(kBodyPointSize);
  // A letter spacing, however small, keeps Qt from joining "ff" or "fi" into one ligature
  // glyph: the document's text must read back and search as typed ("Toff").
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.2);
  document_->setDefaultFont(font);
  document_->setHtml(pages.html);
  const QRectF page = reportPageLayout().paintRectPixels(kLayoutDpi);
  const qreal footer = kFooterMm / 25.4 * kLayoutDpi;
  document_->setPageSize(QSizeF(page.width(), page.height() - footer));
  document_->setDocumentMargin(0);
  keepSignatureWithValues();
}

ReportLayout::~ReportLayout() = default;

int ReportLayout::pageCount() const { return document_->pageCount(); }

// The signature block is the document's last table. When it would be split, or stand on a
// page without values, the last group of values starts a page and takes it along.
void ReportLayout::keepSignatureWithValues() {
  const QList<QTextFrame*> frames = document_->rootFrame()->childFrames();
  if (frames.size() < 2) return;
  QAbstractTextDocumentLayout* layout = document_->documentLayout();
  layout->documentSize();  // the whole document laid out, not only its start
  const qreal height = document_->pageSize().height();
  const QRectF signature = layout->frameBoundingRect(frames.last());
  const QRectF values = layout->frameBoundingRect(frames[frames.size() - 2]);
  const int first = pageOf(signature.top(), height);
  const bool split = pageOf(signature.bottom() - 1, height) != first;
  const bool alone = pageOf(values.bottom() - 1, height) != first;
  if (!split && !alone) return;
  const QTextBlock lastGroup = anchoredBlock(*document_, QLatin1String(kLastGroupAnchor));
  if (!lastGroup.isValid()) return;
  QTextBlockFormat format = lastGroup.blockFormat();
  format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  QTextCursor(lastGroup).setBlockFormat(format);
}

bool ReportLayout::paint(QPagedPaintDevice* device) const {
  QPainter painter;
  if (!painter.begin(device)) return false;
  painter.scale(device->logicalDpiX() / qreal(kLayoutDpi),
                device->logicalDpiY() / qreal(kLayoutDpi));
  const QSizeF body = document_->pageSize();
  const QRectF page = reportPageLayout().paintRectPixels(kLayoutDpi);
  const int count = pageCount();
  for (int n = 0; n < count; ++n) {
    if (n > 0) device->newPage();
    painter.save();
    painter.translate(0, -n * body.height());
    document_->drawContents(&painter, QRectF(QPointF(0, n * body.height()), body));
    painter.restore();
    paintFooter(painter, QRectF(QPointF(0, 0), page.size()), pages_, n + 1, count);
  }
  painter.end();
  return true;
}

QByteArray reportPdf(const ReportLayout& layout) {
  // The writer stamps the document with the current second; the metadata must name the same
  // one, so a document made across the turn of a second is made again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QByteArray pdf = writePdf(layout, now);
    const QByteArray stamp = "/CreationDate (D:" + now.toString("yyyyMMddHHmmss").toLatin1();
    if (pdf.isEmpty() || pdf.contains(stamp)) return pdf;
  }
  return {};
}

}  // namespace orvex
