#pragma once
#include "common/ui/appservices.h"
#include "support/recordingmessageboxes.h"

namespace orvex::test {

// The services a window gets, with recorded message boxes; unloads its windows at the end.
struct ServicesFixture {
  ProgramContext context;
  WindowRegistry windows;
  RecordingMessageBoxes messages;
  AppEvents events;
  AppServices services{context, windows, messages, events};

  explicit ServicesFixture(const QString& programDir = {}) { context.programDir = programDir; }
  ~ServicesFixture() { windows.unloadAll({}); }
};

}  // namespace orvex::test
