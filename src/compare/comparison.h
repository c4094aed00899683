#pragma once
#include <QList>
#include <QString>

#include "compare/editorwording.h"
#include "common/parameterset.h"

// What differs between the configuration in the editor and another one (the controller's,
// a file's), setting by setting as the editor shows them: an option group, a check box, the
// three action boxes of an alarm input, a number box (a byte pair). Slots without a control
// (45 the model, 46 and 47 reserved) are not compared.
namespace orvex {

struct SettingDifference {
  QList<int> slotNumbers;  // the setting's slot; both slots of a number box
  QString section;         // the caption of the editor's tab that shows it
  QString name;            // as the editor names it
  QString editorValue;     // each side as the editor would show it
  QString otherValue;
  bool otherShowable = true;      // false: no control can show the other value (listed raw)
  QList<qint16> otherSlotValues;  // the other side's values of slotNumbers
};

// A setting's slots as the lists show them: "49+50".
QString slotsText(const QList<int>& slotNumbers);

// The settings whose slots differ, in the order the editor shows them.
QList<SettingDifference> compareSets(const ParameterSet& editor, const ParameterSet& other,
                                     const EditorWording& wording);

// Puts the other side's value of `difference` into `set` (a set collected from the editor).
void takeOtherValue(const SettingDifference& difference, ParameterSet* set);

}  // namespace orvex
