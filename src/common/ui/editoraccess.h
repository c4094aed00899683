#pragma once
#include <QString>

#include "common/parameterset.h"

namespace orvex {

// What the file windows, the report and the transfers need of the editor window
// (ConfigQVT implements it; get it with AppServices::editor()).
class EditorAccess {
 public:
  virtual ~EditorAccess() = default;
  virtual void showParameterSet() = 0;     // ConfigLeida -> controls (with their reactions)
  virtual void collectParameterSet() = 0;  // controls -> ConfigEditada
  // Any set -> controls, as ShowParameterSet shows ConfigLeida, which keeps what was last
  // read or loaded (the comparison takes single values into the editor this way).
  virtual void showSet(const ParameterSet& set) = 0;
  // DisableEditorButtons / EnableEditorButtons: Command1..Command9.
  virtual void setCommandButtonsEnabled(bool enabled) = 0;
  // The text of a number box (MCABDVAL, MCAFAVAL, MCACWVAL, MCAPUVAL, MCAIVVAL, TSIRON,
  // TSIROFF, VBAT), as the report prints it.
  virtual QString numberBoxText(const QString& name) const = 0;
};

}  // namespace orvex
