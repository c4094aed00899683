#pragma once
#include <QList>
#include <QString>

#include "common/parameterset.h"

// ShowParameterSet and CollectParameterSet on an abstract set of named controls, so the
// rules are tested without a window. The window's implementation of EditorControls runs a
// control's reactions whenever a value is set, just as a user's click does.
namespace orvex {

class EditorControls {
 public:
  virtual ~EditorControls() = default;
  virtual int selectedOption(const QString& group) const = 0;  // 0 when none is selected
  virtual void selectOption(const QString& group, int option) = 0;
  virtual bool isChecked(const QString& box) const = 0;
  virtual void setChecked(const QString& box, bool ticked) = 0;
  virtual QString text(const QString& numberBox) const = 0;
  virtual void setText(const QString& numberBox, const QString& text) = 0;
};

// Puts `set` into the controls. Returns the slots whose values no control can show (an
// option number outside its group, a flag other than 1/2, an action code outside 1..6, a
// byte outside 0..255); those controls keep their state.
QList<int> showParameterSet(const ParameterSet& set, EditorControls& controls);

// Reads the controls into `set`: slots 1..44 and 48..63, slots 46 and 47 to 0; slot 45 and
// slots outside 1..63 are left alone.
void collectParameterSet(const EditorControls& controls, ParameterSet* set);

// The whole number a number box holds: its leading numeric part rounded to the nearest
// whole number (text without one reads as 0), kept within 0..65535.
int numberFromBoxText(const QString& text);

constexpr int kLargestBoxNumber = 65535;

// What a number box accepts: empty, or at most five digits worth 0..65535.
bool isNumberBoxText(const QString& text);

}  // namespace orvex
