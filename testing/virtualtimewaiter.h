#pragma once
#include <QtGlobal>

#include <functional>
#include <map>
#include <utility>

#include "link/eventwaiter.h"

namespace orvex::test {

// A clock that jumps: sleepUntil() runs the actions due by the deadline in time order, each at
// its own time, and stops early once one calls wake(). A 20 s pause takes no real time.
class VirtualTimeWaiter : public EventWaiter {
 public:
  qint64 nowUs() const override { return now_; }
  void sleepUntil(qint64 deadlineUs) override;
  void wake() override { wakePending_ = true; }

  // Runs `action` when the clock reaches `atUs` (at once in the next sleep if already past).
  void at(qint64 atUs, std::function<void()> action);
  void after(qint64 delayUs, std::function<void()> action) {
    at(now_ + delayUs, std::move(action));
  }
  bool hasPending() const { return !actions_.empty(); }
  // Runs every scheduled action; the clock ends at the last one.
  void runAll();

  int sleepCount() const { return sleeps_; }

 private:
  qint64 now_ = 0;
  bool wakePending_ = false;
  int sleeps_ = 0;
  quint64 sequence_ = 0;  // keeps actions of the same instant in scheduling order
  std::map<std::pair<qint64, quint64>, std::function<void()>> actions_;
};

}  // namespace orvex::test
