#pragma once
#include "programwindows.h"
#include "shell/startup.h"
#include "support/servicesfixture.h"
#include "testing/inmemoryserialport.h"

namespace orvex::test {

// Every window of the program as the program registers them, started as the program starts
// (its main window shown), over a program folder with the delivered files and an in-memory
// port in virtual time. For tests that link orvex_program_windows and orvex_testing.
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
