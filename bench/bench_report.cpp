// Time to make the printable report: the document from the 80 values of a report and its
// PDF written, as "Genera Informe" does after the data file. Median and maximum of N runs.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_report [N]
#include <QDate>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/textfile.h"
#include "config/factoryset.h"
#include "lang/extratexts.h"
#include "lang/languages.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"
#include "reports/reportdocument.h"
#include "reports/reportpdf.h"
#include "reports/reportrender.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
  const orvex::TextBlock block = orvex::builtInTextBlock(0);
  const orvex::TextTables texts = orvex::distributeTextItems(block.items, block.extra, "/").tables;
  orvex::ReportInput input;
  input.set = orvex::factoryParameterSet();
  input.texts = texts.report;
  input.serialNumber = QStringLiteral("SN-BENCH");
  QTemporaryDir dir;
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    const orvex::ReportPages pages{orvex::reportDocumentHtml(orvex::renderReportValues(input),
                                                             texts, {QDate::currentDate(), "5.0"}),
                                   texts.extra[orvex::extra::DocPage], input.serialNumber};
    QString error;
    if (!orvex::writeBytesAtomic(dir.filePath("SN-BENCH.pdf"), orvex::reportPdf(pages), &error)) {
      std::fprintf(stderr, "not written: %s\n", qPrintable(error));
      return 1;
    }
    ms.push_back(timer.nsecsElapsed() / 1e6);
  }
  const double first = ms.front();
  std::sort(ms.begin(), ms.end());
  std::printf("report PDF, %d runs: first %.1f ms, median %.1f ms, max %.1f ms\n", runs, first,
              ms[ms.size() / 2], ms.back());
  return 0;
}
