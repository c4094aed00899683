#include "eventloopwaiter.h"

#include <QEventLoop>
#include <QTimer>

#include <utility>

namespace orvex {
namespace {

// Windows times a precise timer to the millisecond only up to 20 ms; a longer one runs on the
// system tick (about 15.6 ms) and may end that much late. So there a long wait ends a tick
// early, and the next pass times the rest finely.
#ifdef Q_OS_WIN
constexpr qint64 kCoarseTickUs = 16'000;
constexpr qint64 kFinestUs = 20'000;
#else
constexpr qint64 kCoarseTickUs = 0;
constexpr qint64 kFinestUs = 0;
#endif

}  // namespace

EventLoopWaiter::EventLoopWaiter() { clock_.start(); }

void EventLoopWaiter::sleepUntil(qint64 deadlineUs) {
  if (std::exchange(wakePending_, false)) return;
  qint64 remainingUs = deadlineUs - nowUs();
  if (remainingUs <= 0) return;
  if (kFinestUs > 0 && remainingUs > kFinestUs) remainingUs -= kCoarseTickUs;
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
