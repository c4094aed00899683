// Frame-layer figures against orvex-sim over a pseudo-terminal:
//  1. delay from the last byte of a sound reply leaving the simulator to ReceiveReply
//     returning (target < 5 ms);
//  2. CPU time used while waiting out a 5.1 s time-out (target < 1 % of wall time).
// Run: bench_link [PATH_TO_orvex-sim] (default: the program directory of this build).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "link/eventloopwaiter.h"
#include "link/framelayer.h"
#include "link/qtserialport.h"

using namespace orvex;

namespace {

const Request kModelRequest{0x03, 0x002D, 1};
const Request kBlockRequest{0x05, 0x0001, 63};

qint64 monotonicNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

struct Link {
  QTemporaryDir dir;
  QProcess sim;
  QtSerialPort port{dir.path() + '/'};
  EventLoopWaiter waiter;
  FrameLayer layer{port, waiter};

  bool start(const QString& simPath, QStringList extra) {
    sim.start(simPath,
              QStringList{"--program-dir", dir.path(), "--port", "1", "--timestamps"} + extra);
    if (!sim.waitForReadyRead(5000)) return false;
    sim.readLine();  // the announcement
    QString error;
    const bool ok = port.setPortNumber(1, &error) && port.applySettings("9600,N,8,1", &error) &&
                    port.open(&error);
    if (!ok) std::fprintf(stderr, "%s\n", qPrintable(error));
    return ok;
  }
  ~Link() {
    port.close();
    sim.terminate();
    sim.waitForFinished(3000);
  }
  // Reply-end time the simulator printed for the last reply.
  qint64 replyEndNs() {
    while (!sim.canReadLine() && sim.waitForReadyRead(1000)) {
    }
    const QList<QByteArray> fields = sim.readLine().trimmed().split(' ');
    return fields.size() == 3 ? fields[2].toLongLong() : -1;
  }
};

void printStats(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-44s n=%3zu median %.2f ms  p95 %.2f ms  max %.2f ms\n", what, ms.size(),
              ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
}

void latency(const QString& simPath, const char* what, QStringList extra, const Request& request,
             qint16 expected = kReplySound) {
  Link link;
  if (!link.start(simPath, extra)) return;
  std::vector<double> delays;
  for (int i = 0; i < 40; ++i) {
    link.layer.send(request);
    link.layer.receiveReply(request);
    const qint64 returned = monotonicNs();
    const qint64 lastByte = link.replyEndNs();
    if (link.layer.reply().status != expected || lastByte < 0) {
      std::printf("%s: exchange %d failed (status %d)\n", what, i, link.layer.reply().status);
      return;
    }
    delays.push_back((returned - lastByte) / 1e6);
  }
  printStats(what, delays);
}

void timeoutCpu(const QString& simPath) {
  Link link;
  if (!link.start(simPath, {"--no-answer"})) return;
  QElapsedTimer wall;
  const std::clock_t cpuStart = std::clock();
  wall.start();
  link.layer.send(kModelRequest);
  link.layer.receiveReply(kModelRequest);
  const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const double wallMs = double(wall.nsecsElapsed()) / 1e6;
  std::printf("time-out n=1: status %d after %.1f ms wall, %.2f ms CPU (%.3f %%)\n",
              link.layer.reply().status, wallMs, cpuMs, 100.0 * cpuMs / wallMs);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString simPath =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ORVEX_SIM_PATH);
  latency(simPath, "model check (7 bytes), 9600 baud", {}, kModelRequest);
  latency(simPath, "identity (8 bytes for n = 1), 9600 baud", {}, Request{0x02, 0x0021, 0});
  latency(simPath, "block read (131 bytes), 9600 baud", {}, kBlockRequest);
  latency(simPath, "block read, 16 ms USB bursts", {"--burst-ms", "16"}, kBlockRequest);
  latency(simPath, "model check, 2 stray bytes (CRC never fits)", {"--stray-bytes", "2"},
          kModelRequest, kReplyCrcError);
  timeoutCpu(simPath);
  return 0;
}
