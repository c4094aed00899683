#include "parametermapping.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "config/editortable.h"
#include "config/slottable.h"

namespace orvex {
namespace {

bool showOption(const MappingStep& step, qint16 value, EditorControls& controls) {
  if (value < 1 || value > optionCount(step)) return false;
  controls.selectOption(step.control, value);
  return true;
}

bool showFlag(const MappingStep& step, qint16 value, EditorControls& controls) {
  if (value != 1 && value != 2) return false;
  controls.setChecked(step.control, value == 1);
  return true;
}

bool byteInRange(qint16 value) { return value >= 0 && value <= 255; }

void showNumberBox(const MappingStep& step, const ParameterSet& set, EditorControls& controls,
                   QList<int>* unshown) {
  const qint16 high = set[step.slot];
  const qint16 low = set[step.slot + 1];
  if (!byteInRange(high)) unshown->append(step.slot);
  if (!byteInRange(low)) unshown->append(step.slot + 1);
  controls.setText(step.control, QString::number(bytePairValue(high, low)));
}

bool showAction(const MappingStep& step, qint16 value, EditorControls& controls) {
  ActionBoxes boxes;
  if (!actionBoxesForCode(value, &boxes)) return false;
  controls.setChecked(immediateStopBox(step.control), boxes.immediate);
  controls.setChecked(timedStopBox(step.control), boxes.timed);
  controls.setChecked(sirenBox(step.control), boxes.siren);
  return true;
}

void collectStep(const MappingStep& step, const EditorControls& controls, ParameterSet* set) {
  ParameterSet& s = *set;
  switch (step.kind) {
    case ControlKind::OptionGroup:
      if (const int option = controls.selectedOption(step.control); option > 0)
        s[step.slot] = static_cast<qint16>(option);
      break;
    case ControlKind::Flag: s[step.slot] = controls.isChecked(step.control) ? 1 : 2; break;
    case ControlKind::NumberBox:
      splitBytePair(numberFromBoxText(controls.text(step.control)), &s[step.slot],
                    &s[step.slot + 1]);
      break;
    case ControlKind::ActionBoxes: {
      const ActionBoxes boxes{controls.isChecked(immediateStopBox(step.control)),
                              controls.isChecked(timedStopBox(step.control)),
                              controls.isChecked(sirenBox(step.control))};
      s[step.slot] = static_cast<qint16>(actionCodeFromBoxes(boxes, s[step.slot]));
      break;
    }
  }
}

}  // namespace

QList<int> showParameterSet(const ParameterSet& set, EditorControls& controls) {
  QList<int> unshown;
  for (const MappingStep& step : mappingSteps()) {
    const qint16 value = set[step.slot];
    bool shown = true;
    switch (step.kind) {
      case ControlKind::OptionGroup: shown = showOption(step, value, controls); break;
      case ControlKind::Flag: shown = showFlag(step, value, controls); break;
      case ControlKind::NumberBox: showNumberBox(step, set, controls, &unshown); break;
      case ControlKind::ActionBoxes: shown = showAction(step, value, controls); break;
    }
    if (!shown) unshown.append(step.slot);
  }
  std::sort(unshown.begin(), unshown.end());
  return unshown;
}

void collectParameterSet(const EditorControls& controls, ParameterSet* set) {
  for (const MappingStep& step : mappingSteps()) collectStep(step, controls, set);
  (*set)[46] = 0;
  (*set)[47] = 0;
}

int numberFromBoxText(const QString& text) {
  static const QRegularExpression leadingNumber(
      QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?)"));
  const QRegularExpressionMatch match = leadingNumber.match(text);
  if (!match.hasMatch()) return 0;
  const double value = match.captured(1).toDouble();
  if (!std::isfinite(value) || value <= 0) return 0;
  if (value >= kLargestBoxNumber) return kLargestBoxNumber;
  return static_cast<int>(std::nearbyint(value));  // to nearest, halves to even
}

bool isNumberBoxText(const QString& text) {
  if (text.isEmpty()) return true;
  if (text.size() > 5) return false;
  for (const QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return text.toInt() <= kLargestBoxNumber;
}

}  // namespace orvex
