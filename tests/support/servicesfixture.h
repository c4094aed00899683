#pragma once
#include "common/ui/appservices.h"
#include "support/recordingmessageboxes.h"

namespace orvex::test {

// The services a window gets, with recorded message boxes; unloads its windows at the end.
// `port` and `waiter` may be members of a derived fixture: only their addresses are kept here.
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

}  // namespace orvex::test
