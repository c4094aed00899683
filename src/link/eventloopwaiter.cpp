#include "eventloopwaiter.h"

#include <QEventLoop>
#include <QTimer>

#include <utility>

namespace orvex {

EventLoopWaiter::EventLoopWaiter() { clock_.start(); }

void EventLoopWaiter::sleepUntil(qint64 deadlineUs) {
  if (std::exchange(wakePending_, false)) return;
  const qint64 remainingUs = deadlineUs - nowUs();
  if (remainingUs <= 0) return;
  QEventLoop loop;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  // Round up: waking a little early would only cost another pass.
  timer.start(static_cast<int>((remainingUs + 999) / 1000));
  QEventLoop* outer = std::exchange(loop_, &loop);
  loop.exec();
  loop_ = outer;
}

void EventLoopWaiter::wake() {
  if (loop_) loop_->quit();
  else wakePending_ = true;
}

}  // namespace orvex
