#pragma once
#include <QtGlobal>

namespace orvex {

// The clock and the sleep of every wait of the link. The program's waiter sleeps on the
// event loop (windows stay painted, timers run, the CPU stays idle); the tests' waiter runs
// in virtual time, so a 20 s pause or six 5.1 s time-outs take milliseconds.
class EventWaiter {
 public:
  virtual ~EventWaiter() = default;
  virtual qint64 nowUs() const = 0;  // monotonic, microseconds
  // Processes events until `deadlineUs` or until wake() is called, whichever comes first.
  virtual void sleepUntil(qint64 deadlineUs) = 0;
  virtual void wake() = 0;
};

}  // namespace orvex
