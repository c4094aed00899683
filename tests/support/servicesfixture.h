#pragma once
#include "common/ui/appservices.h"
#include "support/recordingmessageboxes.h"
#include "support/tempprogramdir.h"

namespace orvex::test {

// The services a window gets, message boxes recorded; `port` and `waiter` may be members of a
// derived fixture (only their addresses are kept). Unloads its windows at the end.
struct ServicesFixture {
  ProgramContext context;
  WindowRegistry windows;
  RecordingMessageBoxes messages;
  AppEvents events;
  AppServices services;

  explicit ServicesFixture(const QString& programDir = {}, SerialPort* port = nullptr,
                           EventWaiter* waiter = nullptr)
      : services{context, windows, messages, events, port, waiter} {
    context.programDir = programDir;
  }
  ~ServicesFixture() { windows.unloadAll({}); }
  ServicesFixture(const ServicesFixture&) = delete;
  ServicesFixture& operator=(const ServicesFixture&) = delete;
};

// The services over a throw-away program directory of their own.
struct ProgramDirFixture : ServicesFixture {
  explicit ProgramDirFixture(bool withDeliveredData = false, SerialPort* port = nullptr,
                             EventWaiter* waiter = nullptr)
      : ServicesFixture({}, port, waiter), dir(withDeliveredData) {
    context.programDir = dir.path();
  }
  ~ProgramDirFixture() { windows.unloadAll({}); }  // before the folder goes

  TempProgramDir dir;
};

}  // namespace orvex::test
