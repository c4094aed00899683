#pragma once
#include <array>
#include <functional>

namespace orvex {

// What the front-panel demonstration shows: which lamps, description and pointer marks are
// lit, and which screen texts stand in the information frame and the alarm area. The main
// window's four timers drive it; the window only mirrors it on its controls.
struct FrontPanelState {
  std::array<bool, 5> modeLamp{true, false, false, false, false};  // ledmode(0..4)
  bool offLamp = false;                                            // ledoff
  std::array<bool, 7> sequenceLamp{true, true, false, false, false, false, true};
  std::array<bool, 6> alarmLamp{};  // ledalarm(0..5)
  // Descriptions in mode order: automatic, generator, manual, test, blocked, off.
  std::array<bool, 6> description{true, false, false, false, false, false};
  std::array<bool, 6> pointerPair{true, false, false, false, false, false};  // pairs 1..6
  int informationScreenText = 1;  // screen text shown as the information frame's caption
  int alarmScreenText = 0;        // screen text of the alarm area; 0 = design caption
};

class FrontPanelDemo {
 public:
  static constexpr int kModeCount = 6;
  static constexpr int kSequenceSeconds = 36;
  static constexpr int kExitTicks = 20;

  // `random` gives numbers in [0, 1); by default an unseeded generator, so every run shows
  // the same alarm sequence.
  explicit FrontPanelDemo(std::function<double()> random = {});

  void setRandomSource(std::function<double()> random);

  const FrontPanelState& state() const { return state_; }
  int modeStep() const { return modeStep_; }
  int sequenceSecond() const { return sequenceSecond_; }
  int exitTicks() const { return exitTick_; }
  bool exiting() const { return exiting_; }
  bool exitDone() const { return exitTick_ >= kExitTicks; }

  void modeTick();      // Timer1, every 10 s
  void alarmTick();     // Timer2, every 3 s
  void sequenceTick();  // Timer3, every 1 s
  // Command1: shows the "off" mode; false when the exit had already begun.
  bool beginExit();
  void exitTick();  // Timer4, every 200 ms

 private:
  void showMode(int from, int to);

  std::function<double()> random_;
  FrontPanelState state_;
  int modeStep_ = 0;
  int sequenceSecond_ = 0;
  int exitTick_ = 0;
  bool exiting_ = false;
};

}  // namespace orvex
