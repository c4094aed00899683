#pragma once
#include <QElapsedTimer>

#include "link/eventwaiter.h"

class QEventLoop;

namespace orvex {

// The program's waiter: sleeps in a local event loop (windows stay painted, timers run,
// the CPU idles) until a precise timer reaches the deadline or wake() is called. A wake()
// that comes while no sleep runs makes the next sleep return at once, so a wake-up is never
// lost between checking the port and going to sleep.
class EventLoopWaiter : public EventWaiter {
 public:
  EventLoopWaiter();
  qint64 nowUs() const override { return clock_.nsecsElapsed() / 1000; }
  void sleepUntil(qint64 deadlineUs) override;
  void wake() override;

 private:
  QElapsedTimer clock_;
  QEventLoop* loop_ = nullptr;  // the innermost sleep
  bool wakePending_ = false;
};

}  // namespace orvex
