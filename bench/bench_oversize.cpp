// Refusing files far larger than their kind: time to the refusal and the peak memory it
// costs, for a 200 MB .QVT (read directly and as the default configuration), Default.fil
// and textos.sys.
//   build/bench/bench_oversize [MEGABYTES]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

#include <sys/resource.h>

#include "files/qvtformat.h"
#include "lang/textsfile.h"

namespace {

long peakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Real bytes, not a sparse file: a reader that held the file would have to read them all.
bool writeLargeFile(const QString& path, const QByteArray& head, qint64 megabytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(head);
  const QByteArray chunk(1024 * 1024, '7');
  for (qint64 i = 0; i < megabytes; ++i)
    if (file.write(chunk) != chunk.size()) return false;
  return true;
}

void measure(const char* name, const std::function<bool()>& refuses) {
  const long before = peakRssKb();
  QElapsedTimer timer;
  timer.start();
  const bool refused = refuses();
  const double ms = timer.nsecsElapsed() / 1e6;
  std::printf("%-34s %-8s %8.2f ms  peak +%ld KB\n", name, refused ? "refused" : "LOADED", ms,
              peakRssKb() - before);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const qint64 megabytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 200;
  QTemporaryDir dir;
  const QString base = dir.path() + '/';
  QByteArray sixtyThree;
  for (int k = 1; k <= 63; ++k) sixtyThree += " " + QByteArray::number(k) + " \r\n";
  if (!dir.isValid() || !QDir().mkpath(base + "CONFIG") ||
      !writeLargeFile(base + "CONFIG/BIG.QVT", sixtyThree, megabytes) ||
      !writeLargeFile(base + "textos.sys", {}, megabytes)) {
    std::fprintf(stderr, "cannot write the test files in %s\n", qPrintable(base));
    return 1;
  }
  std::printf("%lld MB files; process peak before: %ld KB\n", megabytes, peakRssKb());
  orvex::ParameterSet set;
  QString problem;
  measure(".QVT (63 values, then junk)",
          [&] { return !orvex::readQvtFile(base + "CONFIG/BIG.QVT", &set, &problem); });
  QFile::remove(base + "Default.fil");
  writeLargeFile(base + "Default.fil", "BIG\r\n", 0);
  measure("default configuration naming it",
          [&] { return !orvex::loadDefaultConfiguration(base, &set, &problem); });
  writeLargeFile(base + "Default.fil", "BIG", megabytes);
  measure("Default.fil", [&] { return !orvex::loadDefaultConfiguration(base, &set, &problem); });
  measure("textos.sys",
          [&] { return orvex::readTextBlock(base, 300).status != orvex::TextBlock::Status::Ok; });
  return 0;
}
