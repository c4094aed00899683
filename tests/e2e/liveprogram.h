#pragma once
// The whole program (every window, the real serial port and event-loop waits) against
// orvex-sim on a pseudo-terminal, in real time. Message boxes are recorded, not shown.
#include <QAbstractButton>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTest>

#include "common/ui/appservices.h"
#include "programwindows.h"
#include "files/qvtformat.h"
#include "link/eventloopwaiter.h"
#include "link/qtserialport.h"
#include "shell/startup.h"
#include "simprocess.h"
#include "support/servicesfixture.h"
#include "support/tempprogramdir.h"

namespace orvex::test {

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
