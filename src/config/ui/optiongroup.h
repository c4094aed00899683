#pragma once
#include <QButtonGroup>
#include <QColor>
#include <QObject>
#include <QRadioButton>
#include <QStringList>

#include <vector>

class QGridLayout;

namespace orvex {

// An array of option buttons NAME(1..n), exactly one of them selected. `chosen` fires when a
// member is selected by a click or from code (even when it was selected already), so the
// reactions run in both cases.
class OptionGroup : public QObject {
  Q_OBJECT
 public:
  OptionGroup(const QString& name, const QStringList& captions, QObject* parent);

  QString name() const { return objectName(); }
  int count() const { return static_cast<int>(members_.size()); }
  QRadioButton* member(int index) const;  // 1-based; null outside 1..count
  int selected() const;                   // 0 when none is selected
  void select(int index);                 // ignored outside 1..count
  void setMembersEnabled(bool enabled);
  void setTextColour(const QColor& colour);
  // Places the members in `columns` columns, filled top to bottom.
  void addTo(QGridLayout* grid, int columns, int firstRow = 0) const;

 signals:
  void chosen(int index);

 private:
  QButtonGroup buttons_;
  std::vector<QRadioButton*> members_;
};

}  // namespace orvex
