#pragma once
#include <QHash>
#include <QStringList>

#include "config/parametermapping.h"

namespace orvex::test {

// Controls as plain values, without reactions; every change is logged by name.
class FakeControls : public EditorControls {
 public:
  int selectedOption(const QString& group) const override { return options.value(group); }
  void selectOption(const QString& group, int option) override {
    options[group] = option;
    log << group;
  }
  bool isChecked(const QString& box) const override { return boxes.value(box); }
  void setChecked(const QString& box, bool ticked) override {
    boxes[box] = ticked;
    log << box;
  }
  QString text(const QString& box) const override { return texts.value(box); }
  void setText(const QString& box, const QString& text) override {
    texts[box] = text;
    log << box;
  }

  QHash<QString, int> options;
  QHash<QString, bool> boxes;
  QHash<QString, QString> texts;
  QStringList log;
};

}  // namespace orvex::test
