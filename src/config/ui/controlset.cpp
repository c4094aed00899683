#include "controlset.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "config/editortable.h"
#include "config/ui/numberboxvalidator.h"
#include "config/ui/optiongroup.h"
#include "config/ui/widgetstyle.h"

namespace orvex {

OptionGroup* ControlSet::makeGroup(const QString& name) {
  const MappingStep* step = optionGroupStep(name);
  Q_ASSERT(step);
  auto* group = new OptionGroup(name, optionCaptions(step->slot), owner_);
  groups_.insert(name, group);
  return group;
}

QCheckBox* ControlSet::makeCheck(const QString& name, const QString& caption) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  checks_.insert(name, box);
  return box;
}

QLineEdit* ControlSet::makeNumberBox(const QString& name) {
  auto* box = new QLineEdit;
  box->setObjectName(name);
  box->setValidator(new NumberBoxValidator(box));
  box->setMaxLength(5);
  box->setAlignment(Qt::AlignRight);
  box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
  boxes_.insert(name, box);
  return box;
}

QLabel* ControlSet::makeLabel(const QString& name, const QString& caption, bool wrap) {
  auto* label = new QLabel(caption);
  label->setObjectName(name);
  label->setWordWrap(wrap);
  labels_.insert(name, label);
  return label;
}

QLabel* ControlSet::makeNote(const QString& name, const QString& caption) {
  QLabel* note = makeLabel(name, caption, true);
  setTextColour(note, QColor(64, 64, 64));
  return note;
}

QGroupBox* ControlSet::makeFrame(const QString& name, const QString& caption) {
  auto* frame = new QGroupBox(caption);
  frame->setObjectName(name);
  return frame;
}

QGroupBox* ControlSet::makeGroupFrame(const QString& frameName, const QString& caption,
                                      const QString& groupName, int columns,
                                      const QString& noteName, const QString& note) {
  QGroupBox* frame = makeFrame(frameName, caption);
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(2);
  const OptionGroup* group = makeGroup(groupName);
  group->addTo(grid, columns);
  if (!noteName.isEmpty()) {
    grid->addWidget(makeNote(noteName, note), grid->rowCount(), 0, 1, columns);
  }
  grid->setRowStretch(grid->rowCount(), 1);  // spare height below, not between the options
  return frame;
}

int ControlSet::selectedOption(const QString& name) const {
  const OptionGroup* g = group(name);
  return g ? g->selected() : 0;
}

void ControlSet::selectOption(const QString& name, int option) {
  if (OptionGroup* g = group(name)) g->select(option);
}

bool ControlSet::isChecked(const QString& name) const {
  const QCheckBox* box = check(name);
  return box && box->isChecked();
}

void ControlSet::setChecked(const QString& name, bool ticked) {
  if (QCheckBox* box = check(name)) box->setChecked(ticked);
}

QString ControlSet::text(const QString& name) const {
  const QLineEdit* box = numberBox(name);
  return box ? box->text() : QString();
}

void ControlSet::setText(const QString& name, const QString& text) {
  if (QLineEdit* box = numberBox(name)) box->setText(text);
}

}  // namespace orvex
