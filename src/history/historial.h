#pragma once
#include <QList>
#include <QWidget>

#include "history/history.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace orvex {

struct AppServices;

// The history of writes, newest first: when, on which port, what was written, how it ended,
// the copy of what the controller held before and how many settings changed. It shows what
// a write changed (the comparison of its copy with what was written) and loads a copy into
// the editor, to be written back.
class Historial : public QWidget {
  Q_OBJECT
 public:
  explicit Historial(AppServices& services);

  void refresh();
  void showChanges();  // Command1
  void loadBefore();   // Command2
  const QList<HistoryEntry>& entries() const { return entries_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildWindow();
  void addRow(const HistoryEntry& entry);
  const HistoryEntry* selected() const;
  bool readCopy(const QString& relative, ParameterSet* set);
  void updateButtons();
  void setHeaders();
  void setStatus(const QString& status);
  QString text(int item) const;

  AppServices& services_;
  QTreeWidget* list_ = nullptr;           // List1
  QLabel* status_ = nullptr;              // Label2
  QPushButton* changesButton_ = nullptr;  // Command1
  QPushButton* loadButton_ = nullptr;     // Command2
  QList<HistoryEntry> entries_;           // newest first, as listed
};

}  // namespace orvex
