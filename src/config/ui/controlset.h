#pragma once
#include <QHash>
#include <QObject>
#include <QString>

#include "config/parametermapping.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace orvex {

class OptionGroup;

// The editor's named controls, made here and found by name by the show/collect rules and
// the reactions. Setting a value from here emits the same signals as a user's click.
class ControlSet : public EditorControls {
 public:
  explicit ControlSet(QObject* owner) : owner_(owner) {}

  // Makers: each control gets its name as objectName and its design caption.
  OptionGroup* makeGroup(const QString& name);  // captions from the settings table
  QCheckBox* makeCheck(const QString& name, const QString& caption);
  QLineEdit* makeNumberBox(const QString& name);
  QLabel* makeLabel(const QString& name, const QString& caption, bool wrap = false);
  QLabel* makeNote(const QString& name, const QString& caption);  // wrapped, dark grey
  static QGroupBox* makeFrame(const QString& name, const QString& caption);
  // A frame holding option group `group` in `columns` columns, optional note below.
  QGroupBox* makeGroupFrame(const QString& frame, const QString& caption, const QString& group,
                            int columns, const QString& noteName = {}, const QString& note = {});

  OptionGroup* group(const QString& name) const { return groups_.value(name); }
  QCheckBox* check(const QString& name) const { return checks_.value(name); }
  QLineEdit* numberBox(const QString& name) const { return boxes_.value(name); }
  QLabel* label(const QString& name) const { return labels_.value(name); }
  // The context of the reactions' connections: they end with the control set, before the
  // window's controls go, so no reaction runs on a set half taken down.
  QObject* reactions() { return &reactions_; }

  // EditorControls
  int selectedOption(const QString& group) const override;
  void selectOption(const QString& group, int option) override;
  bool isChecked(const QString& box) const override;
  void setChecked(const QString& box, bool ticked) override;
  QString text(const QString& numberBox) const override;
  void setText(const QString& numberBox, const QString& text) override;

 private:
  QObject* owner_;
  QHash<QString, OptionGroup*> groups_;
  QHash<QString, QCheckBox*> checks_;
  QHash<QString, QLineEdit*> boxes_;
  QHash<QString, QLabel*> labels_;
  QObject reactions_;
};

}  // namespace orvex
