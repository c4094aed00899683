#pragma once
#include <QList>
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace orvex {

struct AppServices;

// What GrabFich and LoadFich share: the list File1 of CONFIG's .QVT files, the leave button
// Command2 with its kept caption, and the editor's six buttons held disabled while the
// dialog is open. Hidden, never destroyed, so the name typed or picked stays.
class ConfigFileWindow : public QWidget {
  Q_OBJECT
 public:
  void refreshFileList();
  void leave();  // Command2

 protected:
  ConfigFileWindow(AppServices& services, const QString& name);

  virtual QString keptLeaveCaption() const = 0;
  virtual void filePicked(const QString& name) = 0;
  void showExitCaption();  // after a save or load: leaving now is plain "exit"
  void showProblem(const QString& prompt, const QString& title);
  void showMessageText(int prompt, int title);  // message texts of the current language
  bool checkFileName(const QString& name);      // false: the user was told why
  QString configFolder() const;
  QPushButton* makeButton(const char* name, const QString& caption);
  // Label1 with `instruction` above; the list, then `underList`, on the left; `buttons`, then
  // Command2, on the right.
  void layOut(const QString& instruction, const QList<QWidget*>& underList,
              const QList<QPushButton*>& buttons, QSize size);

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

  AppServices& services_;
  QListWidget* fileList_;
  QPushButton* leaveButton_;

 private:
  void holdEditorButtons(bool hold);

  bool holdingEditorButtons_ = false;  // the editor counts holds: take and release one only
};

}  // namespace orvex
