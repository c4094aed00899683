#pragma once
#include <QWidget>

#include "compare/comparison.h"
#include "common/parameterset.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace orvex {

struct AppServices;

// Compares the configuration in the editor, collected as "Graba QVT" collects it, with the
// controller's (read into a set of its own, ConfigLeida untouched) or a CONFIG file's (read,
// not loaded), lists what differs in the editor's words and takes the other side's values
// into the editor's controls. Nothing is written to the controller from here.
class Compara : public QWidget {
  Q_OBJECT
 public:
  explicit Compara(AppServices& services);

  void compare();       // Command1
  void takeSelected();  // Command2
  void takeAll();       // Command3
  // What a write changed: the configuration it wrote against the copy kept before it (a file
  // of History), listed as a comparison is; nothing is taken into the editor from it.
  void showWrite(const ParameterSet& written, const ParameterSet& before,
                 const QString& beforeName);
  const QList<SettingDifference>& differences() const { return differences_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildWindow();
  QWidget* buildSourceFrame();
  void buildResultList();
  void refreshFileList();
  bool readOther(ParameterSet* other);
  bool readFile(ParameterSet* other);
  bool readController(ParameterSet* other);
  bool collectEditor();
  void showCompared(const ParameterSet& other, bool reviewingWrite);
  void showDifferences();
  void addDifferenceRow(int index);
  void clearResult(int statusItem = 0);
  void setStatus(int item);  // extra text `item`, 0 for none
  void take(const QList<SettingDifference>& chosen);
  const SettingDifference* selectedDifference() const;
  void updateButtons();
  void setColumnHeaders();
  void fitColumns();
  void onLanguageApplied();
  QString text(int item) const;
  int languageBase() const;

  AppServices& services_;
  QRadioButton* controllerOption_ = nullptr;  // Option1
  QRadioButton* fileOption_ = nullptr;        // Option2
  QListWidget* fileList_ = nullptr;           // File1
  QPushButton* compareButton_ = nullptr;      // Command1
  QPushButton* takeOneButton_ = nullptr;      // Command2
  QPushButton* takeAllButton_ = nullptr;      // Command3
  QLabel* summary_ = nullptr;                 // Label2: how many settings differ
  QLabel* status_ = nullptr;                  // Label3: what the last step did
  QTreeWidget* results_ = nullptr;            // List1
  ParameterSet editorSet_;
  ParameterSet otherSet_;
  EditorWording wording_;  // the current language's, renewed when it changes
  int statusItem_ = 0;
  QString otherFile_;  // the file compared with; empty for the controller
  bool compared_ = false;
  bool reading_ = false;
  bool reviewingWrite_ = false;  // the list shows a write of the history
  QList<SettingDifference> differences_;
};

}  // namespace orvex
