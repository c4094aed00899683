// Full read and full write with verification, as the installer runs them (every window,
// the real serial port and waits, the copy kept before a write), against orvex-sim at 9600
// baud over a pseudo-terminal.
// Prints each transfer's wall time against the protocol's floor and this process's CPU
// time during it. The floor is the prescribed pauses plus the replies' bytes at 9600 baud:
// the simulator paces its replies as a line would, while the pseudo-terminal hands the
// program's requests over at once, so their bytes take no time here.
// Run: build/bench/bench_transfers [ROUNDS]   (about 90 s per round)
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "liveprogram.h"

using namespace orvex;
using namespace orvex::test;

namespace {

constexpr double kCharacterSeconds = 10.0 / 9600;  // start bit, 8 data bits, stop bit

// Pauses: 1 s before the model check, 2 s after it, 63 x 0.05 s while storing the
// registers, 2 s at the end. Replies: model 7, identity 8, block 131, identity 8 bytes.
constexpr double kReadPauses = 1 + 2 + 63 * 0.05 + 2;
constexpr int kReadReplyBytes = 7 + 8 + 131 + 8;
// Pauses: 1 s before the model check, 1 s after the identity, 20 s after the reset, 3 s at
// the end, and a full read. Replies: model 7, identity 8, 62 acknowledgements of 8,
// identity 8 (the reset has none), and the read's.
constexpr double kWritePauses = 1 + 1 + 20 + 3 + kReadPauses;
constexpr int kWriteReplyBytes = 7 + 8 + 62 * 8 + 8 + kReadReplyBytes;

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool measure(LiveProgram& program, const char* label, const char* button, double floor) {
  QElapsedTimer wall;
  const double cpuBefore = cpuSeconds();
  wall.start();
  const bool ended = program.runTransfer(button, 120'000);
  const double seconds = double(wall.nsecsElapsed()) / 1e9;
  const double cpu = cpuSeconds() - cpuBefore;
  const bool clean = ended && program.messages.calls.isEmpty();
  std::printf(
      "%-6s wall %7.3f s  floor %7.3f s  over %+6.2f %%  cpu %6.3f s (%5.2f %% of wall)%s\n", label,
      seconds, floor, 100 * (seconds - floor) / floor, cpu, 100 * cpu / seconds,
      clean ? "" : "  FAILED");
  return clean;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("ORVEX_BIN_DIR")) qputenv("ORVEX_BIN_DIR", ORVEX_BIN_DIR);
  QApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  const double readFloor = kReadPauses + kReadReplyBytes * kCharacterSeconds;
  const double writeFloor = kWritePauses + kWriteReplyBytes * kCharacterSeconds;
  bool allClean = true;
  for (int round = 0; round < rounds; ++round) {
    LiveProgram program;
    if (!program.start()) {
      std::fprintf(stderr, "orvex-sim did not start (%s)\n", qPrintable(binaryPath("orvex-sim")));
      return 1;
    }
    // The first write reads the controller for its copy; after a read it needs no other.
    allClean = measure(program, "copied", "Command5", readFloor + writeFloor) && allClean;
    allClean = measure(program, "read", "Command4", readFloor) && allClean;
    allClean = measure(program, "write", "Command5", writeFloor) && allClean;
  }
  return allClean ? 0 : 1;
}
