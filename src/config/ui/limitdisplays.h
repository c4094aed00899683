#pragma once
#include <QString>

#include <functional>

namespace orvex {

class ControlSet;

// The labels derived from the mains and alternator options: PATEN, PAFRE and the eight
// absolute limits. Each option handler runs the routines the way a click does.
class LimitDisplays {
 public:
  // `noAlarmText` gives the current text for a limit without alarm (screen text 13).
  LimitDisplays(ControlSet& controls, std::function<QString()> noAlarmText);

  void wire();               // connects the option handlers
  void refreshMains();       // sets the nominal values, then RALMINT .. RALMAXF
  void refreshAlternator();  // AALMINT .. AALMAXF from the nominal values
  int nominalVolts() const { return nominalVolts_; }
  int nominalHertz() const { return nominalHertz_; }

 private:
  void onVoltageOption(int option);
  void onFrequencyOption(int option);

  ControlSet& controls_;
  std::function<QString()> noAlarmText_;
  int nominalVolts_ = 0;
  int nominalHertz_ = 0;
};

}  // namespace orvex
