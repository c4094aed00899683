#pragma once
// orvex-sim as its own process, answering on COM<port> of a program directory.
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "files/qvtformat.h"

namespace orvex::test {

inline QString binaryPath(const char* name) {
  return qEnvironmentVariable("ORVEX_BIN_DIR", ".") + '/' + name;
}

// Slots 1..63 but the model code, as text so a difference reads well.
inline QString configuration(const ParameterSet& set) {
  QStringList values;
  for (int k = kFirstSlot; k <= kLastSlot; ++k)
    values << (k == kModelSlot ? "-" : QString::number(set[k]));
  return values.join(' ');
}

class SimProcess {
 public:
  explicit SimProcess(QString programDir, int port = 1)
      : dir_(std::move(programDir)), link_(dir_ + QStringLiteral("COM%1").arg(port)), port_(port) {}
  ~SimProcess() { stop(); }

  // Starts the simulator and waits until its COM link is there.
  bool start(const QStringList& faults = {}) {
    QFile::remove(link_);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(binaryPath("orvex-sim"),
                   QStringList{"--program-dir", dir_, "--port", QString::number(port_), "--quiet",
                               "--dump", dumpPath()} +
                       faults);
    if (!process_.waitForStarted(5000)) return false;
    const QDeadlineTimer deadline(5000);
    while (!QFileInfo(link_).isSymLink()) {
      if (deadline.hasExpired() || process_.state() != QProcess::Running) return false;
      QTest::qWait(20);
    }
    return true;
  }
  // Ends the simulator, which writes its registers to the dump file on the way out.
  bool stopAndReadRegisters(ParameterSet* registers) {
    stop();
    QString problem;
    return readQvtFile(dumpPath(), registers, &problem);
  }
  void stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) process_.kill();
  }
  QString dumpPath() const { return dir_ + QStringLiteral("sim-dump%1.qvt").arg(port_); }

 private:
  QString dir_;
  QString link_;
  int port_;
  QProcess process_;
};

}  // namespace orvex::test
