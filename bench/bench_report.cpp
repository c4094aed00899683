// Time to make the report as "Genera Informe" does: the data file written, the document laid
// out (the signature kept with the last values) and written as PDF/A. The longest document:
// the fullest configuration read from a controller, a 60-character serial number, customer
// and site, in each of the five languages. Median and maximum of N runs per language.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_report [N]
#include <QDateTime>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "lang/languages.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"
#include "reports/reportwriter.h"
#include "support/fullestconfiguration.h"

namespace {

orvex::TextTables deliveredTexts(int base) {
  const orvex::TextBlock block = orvex::builtInTextBlock(base);
  orvex::TextTables texts = orvex::distributeTextItems(block.items, block.extra, "/").tables;
  texts.languageBase = base;
  return texts;
}

// One report written; its time in milliseconds, or a negative number when not written.
double timedReport(const QTemporaryDir& dir, const orvex::TextTables& texts) {
  QElapsedTimer timer;
  timer.start();
  const orvex::ValuesOrigin source{orvex::ValuesOrigin::Kind::Controller, QStringLiteral("COM1"),
                                   QDateTime::currentDateTime(),
                                   orvex::test::fullestConfiguration()};
  QList<int> unshown;
  orvex::ReportInput input = orvex::editorReportInput(source.set, &unshown);
  input.texts = texts.report;
  input.serialNumber = QStringLiteral("SN-2024-0815-").leftJustified(60, QLatin1Char('7'));
  const orvex::ReportDocumentHeader header{QDateTime::currentDateTime(), "5.0", source,
                                           QStringLiteral("Hydro Energi AS"),
                                           QStringLiteral("Kraftstasjon 7, Bergen")};
  const orvex::WrittenReport report =
      orvex::writeReport({dir.filePath("SN-BENCH.txt"), dir.filePath("SN-BENCH.pdf")}, input, texts,
                         header);
  if (!report.written()) {
    std::fprintf(stderr, "not written: %s\n", qPrintable(report.message));
    return -1;
  }
  return timer.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
  QTemporaryDir dir;
  bool firstOfAll = true;
  for (const orvex::Language& language : orvex::languages()) {
    const orvex::TextTables texts = deliveredTexts(language.base);
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
      ms.push_back(timedReport(dir, texts));
      if (ms.back() < 0) return 1;
    }
    if (firstOfAll) std::printf("first report (fonts loaded): %.1f ms\n", ms.front());
    firstOfAll = false;
    std::sort(ms.begin(), ms.end());
    const QString name = QString::fromUtf16(language.marker).leftJustified(14);
    std::printf("%s %d runs: median %.1f ms, max %.1f ms\n", qPrintable(name), runs,
                ms[ms.size() / 2], ms.back());
  }
  return 0;
}
