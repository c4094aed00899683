#include "runningconditions.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "config/ui/controlset.h"
#include "config/ui/optiongroup.h"
#include "config/ui/widgetstyle.h"

namespace orvex {

const QList<RunningCondition>& runningConditions() {
  static const QList<RunningCondition> kConditions = {
      {"MCAPA", {}, {}, "MCAPAMOD"},
      {"MCABD", {"MCABDVAL"}, {"MCALABBD"}, "MCABDMOD"},
      {"MCAFA", {"MCAFAVAL"}, {"MCALABFA"}, "MCAFAMOD"},
      {"MCACW", {"MCACWVAL"}, {"MCALABCW"}, "MCACWMOD"},
      {"MCAPU", {"MCAPUVAL", "MCAIVVAL"}, {"MCALABPU", "MCALABIV"}, "MCAPUMOD"},
  };
  return kConditions;
}

const RunningCondition* runningCondition(const QString& check) {
  for (const RunningCondition& rc : runningConditions())
    if (rc.check == check) return &rc;
  return nullptr;
}

void applyConditionState(ControlSet& c, const RunningCondition& rc, bool active) {
  const QColor& text = active ? colours::kBlack : colours::kGrey;
  setTextColour(c.check(rc.check), text);
  for (const QString& name : rc.numberBoxes)
    setBoxColours(c.numberBox(name), active ? colours::kWhite : colours::kLightYellow, text);
  for (const QString& name : rc.unitLabels) setTextColour(c.label(name), text);
  OptionGroup* combination = c.group(rc.combination);
  combination->setTextColour(text);
  combination->setMembersEnabled(active);
}

}  // namespace orvex
