#pragma once
#include <QList>
#include <QStringList>

namespace orvex {

class ControlSet;

// A running condition of the start sequence and the controls its display state colours.
struct RunningCondition {
  QString check;
  QStringList numberBoxes;
  QStringList unitLabels;
  QString combination;
};

// Oil pressure, D+, alternator frequency, W, pick-up.
const QList<RunningCondition>& runningConditions();
const RunningCondition* runningCondition(const QString& check);

// Active: black texts, white boxes, OR/AND enabled. Inactive: grey texts, light-yellow boxes,
// OR/AND disabled. The number boxes stay enabled in both states.
void applyConditionState(ControlSet& controls, const RunningCondition& condition, bool active);

}  // namespace orvex
