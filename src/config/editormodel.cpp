#include "editormodel.h"

#include "config/editortable.h"

namespace orvex {

void EditorModel::setChecked(const QString& box, bool ticked) {
  checks_[box] = ticked;
  if (!ticked) return;
  for (const QString& other : checksClearedBy(box)) checks_[other] = false;
}

ParameterSet showAndCollect(const ParameterSet& set, QList<int>* unshown) {
  EditorModel editor;
  const QList<int> notShown = showParameterSet(set, editor);
  if (unshown) *unshown = notShown;
  ParameterSet collected = set;
  collectParameterSet(editor, &collected);
  return collected;
}

}  // namespace orvex
