#include "virtualtimewaiter.h"

#include <algorithm>

namespace orvex::test {

void VirtualTimeWaiter::sleepUntil(qint64 deadlineUs) {
  ++sleeps_;
  while (!wakePending_ && !actions_.empty() && actions_.begin()->first.first <= deadlineUs) {
    auto node = actions_.extract(actions_.begin());
    now_ = std::max(now_, node.key().first);
    node.mapped()();
  }
  if (wakePending_) {
    wakePending_ = false;
    return;
  }
  now_ = std::max(now_, deadlineUs);
}

void VirtualTimeWaiter::at(qint64 atUs, std::function<void()> action) {
  actions_.emplace(std::make_pair(atUs, sequence_++), std::move(action));
}

void VirtualTimeWaiter::runAll() {
  while (!actions_.empty()) {
    auto node = actions_.extract(actions_.begin());
    now_ = std::max(now_, node.key().first);
    node.mapped()();
  }
  wakePending_ = false;
}

}  // namespace orvex::test
