#include "configfilewindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/textfile.h"
#include "common/ui/appservices.h"
#include "common/ui/captions.h"
#include "files/filename.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex {

ConfigFileWindow::ConfigFileWindow(AppServices& services, const QString& name)
    : services_(services), fileList_(new QListWidget(this)), leaveButton_(new QPushButton(this)) {
  setObjectName(name);
  fileList_->setObjectName(QStringLiteral("File1"));
  leaveButton_->setObjectName(QStringLiteral("Command2"));
  connect(fileList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    filePicked(item->text().chopped(qMin<qsizetype>(4, item->text().size())));
  });
  connect(leaveButton_, &QPushButton::clicked, this, &ConfigFileWindow::leave);
}

QPushButton* ConfigFileWindow::makeButton(const char* name, const QString& caption) {
  return namedButton(name, caption, this);
}

void ConfigFileWindow::layOut(const QString& instruction, const QList<QWidget*>& underList,
                              const QList<QPushButton*>& buttons, QSize size) {
  auto* label = new QLabel(instruction, this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setWordWrap(true);
  auto* left = new QVBoxLayout;
  left->addWidget(fileList_);
  for (QWidget* widget : underList) left->addWidget(widget);
  auto* right = new QVBoxLayout;
  for (QPushButton* button : buttons) right->addWidget(button);
  right->addWidget(leaveButton_);
  right->addStretch();
  auto* body = new QHBoxLayout;
  body->addLayout(left, 1);
  body->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(body);
  resize(size);
}

QString ConfigFileWindow::configFolder() const {
  return findFileNoCase(services_.context.programDir, QStringLiteral("CONFIG"));
}

void ConfigFileWindow::refreshFileList() {
  const QStringList files =
      QDir(configFolder())
          .entryList({QStringLiteral("*.QVT")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  fileList_->clear();
  fileList_->addItems(files);
}

void ConfigFileWindow::leave() {
  leaveButton_->setText(keptLeaveCaption());
  hide();
  holdEditorButtons(false);
}

void ConfigFileWindow::showExitCaption() {
  const QString exit = services_.context.texts.exitCaption;
  leaveButton_->setText(exit.isEmpty() ? QStringLiteral("Salir") : exit);
}

void ConfigFileWindow::showProblem(const QString& prompt, const QString& title) {
  services_.messages.show(MessageIcon::Exclamation, prompt, title);
}

void ConfigFileWindow::showMessageText(int prompt, int title) {
  const TextTables* texts = &services_.context.texts;
  showProblem(messageText(texts, prompt), messageText(texts, title));
}

bool ConfigFileWindow::checkFileName(const QString& name) {
  const NameProblem problem = checkStorableName(name, &services_.context.texts);
  if (!problem.ok()) showProblem(problem.prompt, problem.title);
  return problem.ok();
}

void ConfigFileWindow::holdEditorButtons(bool hold) {
  if (hold == holdingEditorButtons_) return;
  holdingEditorButtons_ = hold;
  if (EditorAccess* editor = services_.editor()) editor->setCommandButtonsEnabled(!hold);
}

void ConfigFileWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;  // restored from the task bar: not a new opening
  holdEditorButtons(true);
  refreshFileList();
}

// The frame's close control leaves like Command2; otherwise the editor's buttons would
// stay disabled with no dialog left to enable them.
void ConfigFileWindow::closeEvent(QCloseEvent* event) {
  leave();
  event->accept();
}

}  // namespace orvex
