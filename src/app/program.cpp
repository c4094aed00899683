#include "program.h"

#include <QApplication>
#include <QDir>

#include "link/eventloopwaiter.h"
#include "link/systemserialport.h"
#include "programdir.h"
#include "programwindows.h"
#include "shell/startup.h"

namespace orvex {
namespace {

QString programDirectory() {
  QString problem;
  QString dir = chooseProgramDir(thisProgramPlace(QDir::currentPath()), &problem);
  if (!problem.isEmpty()) qWarning("%s", qPrintable(problem));
  return dir;
}

}  // namespace

Program::Program() : services_{context_, windows_, messages_, events_} {
  context_.programDir = programDirectory();
  port_ = std::make_unique<SystemSerialPort>(context_.programDir);
  waiter_ = std::make_unique<EventLoopWaiter>();
  services_.port = port_.get();
  services_.waiter = waiter_.get();
  registerProgramWindows(services_);
  startShell(services_);
}

Program::~Program() = default;

int Program::run() { return QApplication::exec(); }

}  // namespace orvex
