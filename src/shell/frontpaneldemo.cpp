#include "frontpaneldemo.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

namespace orvex {
namespace {

constexpr int kOffMode = 5;          // index of "off" among the six modes
constexpr int kAlarmLampsShown = 5;  // ledalarm(5) is never lit by the demonstration

std::function<double()> unseededRandom() {
  auto engine = std::make_shared<std::minstd_rand>();
  return [engine] { return std::generate_canonical<double, 32>(*engine); };
}

int randomIndex(const std::function<double()>& random, int count) {
  const int index = static_cast<int>(std::floor(random() * count));
  return std::clamp(index, 0, count - 1);
}

}  // namespace

FrontPanelDemo::FrontPanelDemo(std::function<double()> random) {
  setRandomSource(std::move(random));
}

void FrontPanelDemo::setRandomSource(std::function<double()> random) {
  random_ = random ? std::move(random) : unseededRandom();
}

// Lamp of mode `mode` (0..4 the mode lamps, 5 the off lamp).
void FrontPanelDemo::showMode(int from, int to) {
  auto lamp = [this](int mode) -> bool& {
    return mode == kOffMode ? state_.offLamp : state_.modeLamp[static_cast<size_t>(mode)];
  };
  lamp(from) = false;
  lamp(to) = true;
  state_.informationScreenText = to + 1;
  state_.description[static_cast<size_t>(from)] = false;
  state_.description[static_cast<size_t>(to)] = true;
  state_.pointerPair[static_cast<size_t>(from)] = false;
  state_.pointerPair[static_cast<size_t>(to)] = true;
}

void FrontPanelDemo::modeTick() {
  ++modeStep_;
  if (modeStep_ < 1 || modeStep_ > kModeCount) return;
  showMode(modeStep_ - 1, modeStep_ % kModeCount);
  if (modeStep_ == kModeCount) modeStep_ = 0;
}

void FrontPanelDemo::alarmTick() {
  const int lit = randomIndex(random_, kAlarmLampsShown);
  state_.alarmLamp[static_cast<size_t>(lit)] = true;
  state_.alarmScreenText = 7 + lit;
  const int cleared = randomIndex(random_, kAlarmLampsShown);
  state_.alarmLamp[static_cast<size_t>(cleared)] = false;
}

void FrontPanelDemo::sequenceTick() {
  ++sequenceSecond_;
  auto& lamp = state_.sequenceLamp;
  switch (sequenceSecond_) {
    case 10: lamp[0] = lamp[6] = false; break;
    case 13: lamp[1] = false; break;
    case 16: lamp[2] = true; break;
    case 18: lamp[3] = true; break;
    case 20: lamp[4] = true; break;
    case 30: lamp[5] = true; break;
    case 31: lamp[4] = lamp[3] = lamp[2] = lamp[5] = false; break;
    case 33: lamp[0] = lamp[6] = true; break;
    case kSequenceSeconds:
      lamp[1] = true;
      sequenceSecond_ = 0;
      break;
    default: break;
  }
}

bool FrontPanelDemo::beginExit() {
  if (exiting_) return false;
  exiting_ = true;
  state_.modeLamp.fill(false);
  state_.informationScreenText = kOffMode + 1;
  state_.description.fill(false);
  state_.description[kOffMode] = true;
  return true;
}

void FrontPanelDemo::exitTick() {
  if (exitDone()) return;
  ++exitTick_;
  state_.offLamp = !state_.offLamp;
}

}  // namespace orvex
