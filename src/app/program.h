#pragma once
#include <memory>

#include "common/ui/appservices.h"
#include "common/ui/qtmessageboxes.h"

namespace orvex {

// The program context and the services every window gets; owns them for the whole run.
class Program {
 public:
  Program();
  ~Program();
  int run();

 private:
  ProgramContext context_;
  WindowRegistry windows_;
  QtMessageBoxes messages_;
  AppEvents events_;
  std::unique_ptr<SerialPort> port_;
  std::unique_ptr<EventWaiter> waiter_;
  AppServices services_;
};

}  // namespace orvex
