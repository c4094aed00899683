#pragma once
#include <QHash>
#include <QList>

#include "config/parametermapping.h"

namespace orvex {

// The editor's controls as plain values, with the reactions that change values (the check
// boxes that exclude each other), so a set is shown and collected as the window would do
// it, without a window: for the command line, which writes and reports exactly what the
// windowed program would after loading the same file.
class EditorModel : public EditorControls {
 public:
  int selectedOption(const QString& group) const override { return options_.value(group); }
  void selectOption(const QString& group, int option) override { options_[group] = option; }
  bool isChecked(const QString& box) const override { return checks_.value(box); }
  void setChecked(const QString& box, bool ticked) override;
  QString text(const QString& numberBox) const override { return texts_.value(numberBox); }
  void setText(const QString& numberBox, const QString& text) override { texts_[numberBox] = text; }

 private:
  QHash<QString, int> options_;
  QHash<QString, bool> checks_;
  QHash<QString, QString> texts_;
};

// What the editor holds once `set` is shown in it and collected again: slots 46 and 47 as 0,
// slot 45 as in `set`. *unshown gets the slots no control can show (a file the editor could
// not show exactly).
ParameterSet showAndCollect(const ParameterSet& set, QList<int>* unshown);

}  // namespace orvex
