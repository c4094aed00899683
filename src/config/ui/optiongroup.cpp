#include "optiongroup.h"

#include <QGridLayout>

#include "config/editortable.h"
#include "config/ui/widgetstyle.h"

namespace orvex {

OptionGroup::OptionGroup(const QString& name, const QStringList& captions, QObject* parent)
    : QObject(parent), buttons_(this) {
  setObjectName(name);
  buttons_.setExclusive(true);
  for (int i = 1; i <= captions.size(); ++i) {
    auto* button = new QRadioButton(captions.at(i - 1));
    button->setObjectName(memberName(name, i));
    buttons_.addButton(button, i);
    members_.push_back(button);
  }
  connect(&buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit chosen(id);
  });
}

QRadioButton* OptionGroup::member(int index) const {
  if (index < 1 || index > count()) return nullptr;
  return members_[static_cast<size_t>(index - 1)];
}

int OptionGroup::selected() const {
  for (int i = 1; i <= count(); ++i)
    if (member(i)->isChecked()) return i;
  return 0;
}

void OptionGroup::select(int index) {
  QRadioButton* button = member(index);
  if (!button) return;
  if (button->isChecked()) emit chosen(index);
  else button->setChecked(true);
}

void OptionGroup::setMembersEnabled(bool enabled) {
  for (QRadioButton* button : members_) button->setEnabled(enabled);
}

void OptionGroup::setTextColour(const QColor& colour) {
  for (QRadioButton* button : members_) orvex::setTextColour(button, colour);
}

void OptionGroup::addTo(QGridLayout* grid, int columns, int firstRow) const {
  const int rows = (count() + columns - 1) / columns;
  for (int i = 0; i < count(); ++i)
    grid->addWidget(members_[static_cast<size_t>(i)], firstRow + i % rows, i / rows);
}

}  // namespace orvex
