#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "common/textfile.h"
#include "lang/extratexts.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"
#include "reports/reportwriter.h"
#include "support/fullestconfiguration.h"

using namespace orvex;

namespace {

TextTables deliveredTexts(int base) {
  const TextBlock block = builtInTextBlock(base);
  TextTables texts = distributeTextItems(block.items, block.extra, "/").tables;
  texts.languageBase = base;
  return texts;
}

QString run(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(20'000)) return program + QStringLiteral(" did not run");
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of each page, as poppler reads it.
QStringList pageTexts(const QString& pdf) {
  QStringList pages = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split('\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

// Each page's words, in an order of their own: how a reader orders table cells is its affair.
QList<QStringList> pageWords(const QString& pdf) {
  QList<QStringList> words;
  for (const QString& page : pageTexts(pdf)) {
    words << page.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    words.last().sort();
  }
  return words;
}

}  // namespace

class TestReportPdf : public QObject {
  Q_OBJECT
 private slots:
  // The fullest configuration, long serial numbers, five languages: signature beside values, the
  // printer's pages the PDF's, "Page n of m" kept, numbers as the language writes them, PDF/A.
  void wholeOnPaperInEveryLanguage_data() {
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("serialLength");
    for (const int base : {0, 300, 600, 900, 1200})
      for (const int length : {29, 60, 200})
        QTest::addRow("base %d, %d", base, length) << base << length;
  }
  void wholeOnPaperInEveryLanguage() {
    QFETCH(int, base);
    QFETCH(int, serialLength);
    const TextTables texts = deliveredTexts(base);
    ReportInput input;
    QList<int> unshown;
    input = editorReportInput(test::fullestConfiguration(), &unshown);
    QVERIFY(unshown.isEmpty());
    input.texts = texts.report;
    input.serialNumber = QStringLiteral("SN-2024-0815-").leftJustified(serialLength, '7');
    const ValuesOrigin source{ValuesOrigin::Kind::Controller, QStringLiteral("COM3"),
                              QDateTime(QDate(2025, 1, 5), QTime(14, 30)), input.set};
    const ReportDocumentHeader header{QDateTime(QDate(2025, 1, 5), QTime(14, 32)), "5.0", source,
                                      QStringLiteral("Customer & Co"), QStringLiteral("Plant 7")};
    const ReportLayout layout(reportPages(input, texts, header));
    QTemporaryDir dir;
    QString error;
    const QByteArray pdf = reportPdf(layout);
    QVERIFY(writeBytesAtomic(dir.filePath("r.pdf"), pdf, &error));
    // Made as PDF/A-1b, not only labelled so: the output intent that the standard asks for.
    QVERIFY(pdf.contains("/GTS_PDFA1"));
    QPrinter printer(QPrinter::ScreenResolution);  // another resolution than the PDF's
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    setUpReportPage(&printer);
    QVERIFY(layout.paint(&printer));

    const QStringList pages = pageTexts(dir.filePath("r.pdf"));
    QCOMPARE(pageWords(dir.filePath("printed.pdf")), pageWords(dir.filePath("r.pdf")));
    const QString signature = texts.extra[extra::DocSignature];
    const QString lastValue = texts.report[45];  // minimum battery voltage
    for (int n = 0; n < pages.size(); ++n) {
      QVERIFY2(!pages[n].contains(signature) || pages[n].contains(lastValue), qPrintable(pages[n]));
      QVERIFY(pages[n].contains(texts.extra[extra::DocPage].arg(n + 1).arg(pages.size())));
      QVERIFY(serialLength < 200 || pages[n].contains(QChar(0x2026)));  // cut, not run under
    }
    const QString all = pages.join(QString()).simplified();
    QVERIFY(all.contains(signature) && all.contains("ORVEX") && all.contains("COM3") &&
            all.contains("Customer & Co"));
    QVERIFY(all.contains(base == 300 ? "49.75 Hz" : "49,75 Hz"));

    const QString meta =
        run(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), dir.filePath("r.pdf")});
    for (const QString& expected :
         {QStringLiteral("pdfaid:part='1'"), QStringLiteral("pdfaid:conformance='B'"),
          QStringLiteral("pdf:Keywords='%1, ORVEX'").arg(input.serialNumber),
          QStringLiteral("xmp:CreatorTool='ORVEX configuration tool 5.0'")})
      QVERIFY2(meta.contains(expected), qPrintable(expected));
  }
};

QTEST_MAIN(TestReportPdf)
#include "test_reportpdf.moc"
