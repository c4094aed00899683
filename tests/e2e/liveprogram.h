#pragma once
// The whole program (every window, the real serial port and event-loop waits) against
// orvex-sim on a pseudo-terminal, in real time. Message boxes are recorded, not shown.
#include <QAbstractButton>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "common/ui/appservices.h"
#include "programwindows.h"
#include "files/qvtformat.h"
#include "link/eventloopwaiter.h"
#include "link/qtserialport.h"
#include "shell/startup.h"
#include "support/servicesfixture.h"
#include "support/tempprogramdir.h"

namespace orvex::test {

// orvex-sim as its own process, answering on COM1 of a program directory.
class SimProcess {
 public:
  explicit SimProcess(QString programDir) : dir_(std::move(programDir)) {}
  ~SimProcess() { stop(); }

  bool start(const QStringList& faults = {}) {
    QFile::remove(dir_ + "COM1");
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(simPath(), QStringList{"--program-dir", dir_, "--port", "1", "--quiet",
                                          "--dump", dumpPath()} + faults);
    if (!process_.waitForStarted(5000)) return false;
    const QDeadlineTimer deadline(5000);
    while (!QFileInfo(dir_ + "COM1").isSymLink()) {
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
  QString dumpPath() const { return dir_ + "sim-dump.qvt"; }

  static QString simPath() { return qEnvironmentVariable("ORVEX_BIN_DIR", ".") + "/orvex-sim"; }

 private:
  QString dir_;
  QProcess process_;
};

struct LiveProgram : ProgramDirFixture {
  EventLoopWaiter waiter;
  QtSerialPort port{dir.path()};
  SimProcess sim{dir.path()};

  LiveProgram() : ProgramDirFixture(true, &port, &waiter) {}
  ~LiveProgram() { windows.unloadAll({}); }

  // Starts the simulator, then the program's windows (the editor's load step applies the
  // delivered serial settings, COM1 at 9600 baud).
  bool start(const QStringList& simFaults = {}) {
    if (!sim.start(simFaults)) return false;
    registerProgramWindows(services);
    startShell(services);
    editor()->show();
    return true;
  }
  QWidget* editor() { return windows.window("ConfigQVT"); }
  QWidget* progress() { return windows.window("GrabQVT"); }
  QAbstractButton* button(const char* name) { return editor()->findChild<QAbstractButton*>(name); }

  // Presses an editor button as the user does and waits until its transfer has ended.
  bool runTransfer(const char* name, int timeoutMs) {
    QAbstractButton* start = button(name);
    if (!start || !start->isEnabled()) return false;
    QTest::mouseClick(start, Qt::LeftButton);
    const QDeadlineTimer deadline(timeoutMs);
    while (!start->isEnabled() || progress()->isVisible()) {
      if (deadline.hasExpired()) return false;
      QTest::qWait(50);
    }
    return true;
  }
};

}  // namespace orvex::test
