#include "program.h"

#include <QApplication>
#include <QDir>

#include "link/eventloopwaiter.h"
#include "link/qtserialport.h"
#include "programwindows.h"
#include "shell/startup.h"

namespace orvex {

Program::Program() : services_{context_, windows_, messages_, events_} {
  context_.programDir = QDir::currentPath();
  if (!context_.programDir.endsWith('/')) context_.programDir += '/';
  port_ = std::make_unique<QtSerialPort>(context_.programDir);
  waiter_ = std::make_unique<EventLoopWaiter>();
  services_.port = port_.get();
  services_.waiter = waiter_.get();
  registerProgramWindows(services_);
  startShell(services_);
}

Program::~Program() = default;

int Program::run() { return QApplication::exec(); }

}  // namespace orvex
