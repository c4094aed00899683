#pragma once
#include "programwindows.h"
#include "shell/startup.h"
#include "support/servicesfixture.h"
#include "testing/inmemoryserialport.h"

namespace orvex::test {

// Every window of the program, started as the program starts, over a program folder with the
// delivered files and an in-memory port in virtual time.
struct WholeProgram : ProgramDirFixture {
  VirtualTimeWaiter waiter;
  InMemorySerialPort port{waiter};

  WholeProgram() : ProgramDirFixture(true, &port, &waiter) {
    registerProgramWindows(services);
    startShell(services);
  }
  ~WholeProgram() { windows.unloadAll({}); }
};

}  // namespace orvex::test
