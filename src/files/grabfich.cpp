#include "grabfich.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/appservices.h"
#include "files/filetexts.h"
#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "lang/writefailure.h"

namespace orvex {

namespace {
QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QLatin1String(name));
  return b;
}
}  // namespace

GrabFich::GrabFich(AppServices& services)
    : ConfigFileWindow(services, QStringLiteral("GrabFich")), nameEdit_(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral(u"Selección de Fichero a Grabar"));
  nameEdit_->setObjectName(QStringLiteral("Text1"));
  leaveButton_->setText(keptLeaveCaption());
  buildLayout();
}

void GrabFich::buildLayout() {
  auto* instruction =
      new QLabel(QStringLiteral(u"Seleccione un Fichero ó cree uno nuevo introduciendo el Nombre."),
                 this);
  instruction->setObjectName(QStringLiteral("Label1"));
  instruction->setWordWrap(true);
  auto* note =
      new QLabel(QStringLiteral(u" La extensión será añadida automaticamente como .QVT"), this);
  note->setObjectName(QStringLiteral("Label2"));
  note->setWordWrap(true);
  QPushButton* saveButton = button(this, "Command3", QStringLiteral("Guardar Fichero"));
  QPushButton* defaultButton =
      button(this, "Command1", QStringLiteral(u"Configuración por Defecto"));
  connect(saveButton, &QPushButton::clicked, this, &GrabFich::save);
  connect(defaultButton, &QPushButton::clicked, this, &GrabFich::makeDefault);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {saveButton, defaultButton, leaveButton_}) buttons->addWidget(b);
  buttons->addStretch();
  auto* body = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(fileList_);
  left->addWidget(nameEdit_);
  left->addWidget(note);
  body->addLayout(left, 1);
  body->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(instruction);
  layout->addLayout(body);
  resize(480, 320);
}

QString GrabFich::keptLeaveCaption() const {
  const QString kept = services_.context.texts.grabFichLeaveCaption;
  return kept.isEmpty() ? QStringLiteral("Salir sin Guardar") : kept;
}

void GrabFich::filePicked(const QString& name) { nameEdit_->setText(name); }

void GrabFich::save() {
  const QString name = nameEdit_->text();
  if (name.isEmpty()) return showMessageText(36, 39);
  if (!checkFileName(name)) return;
  if (EditorAccess* editor = services_.editor()) editor->collectParameterSet();
  const QString path = configFilePath(services_.context.programDir, name);
  QString reason;
  if (!writeQvtFile(path, services_.context.configEditada, &reason))
    return showWriteFailure(path, reason);
  refreshFileList();
  showExitCaption();
}

void GrabFich::showWriteFailure(const QString& path, const QString& systemText) {
  const TextTables* texts = &services_.context.texts;
  showProblem(extraText(texts, extra::WriteFailed)
                  .arg(QDir::toNativeSeparators(path), writeFailureReason(texts, path, systemText)),
              extraText(texts, extra::WriteFailedTitle));
}

void GrabFich::makeDefault() {
  const QString name = nameEdit_->text();
  if (name.isEmpty()) return showMessageText(36, 37);
  if (!checkFileName(name)) return;
  const auto& message = services_.context.texts.message;
  if (services_.messages.show(MessageIcon::Question, message[38], message[37],
                              MessageButtons::YesNoDefaultNo) != MessageAnswer::Yes)
    return;
  QString reason;
  if (!writeDefaultFile(services_.context.programDir, name, &reason))
    showWriteFailure(defaultFilePath(services_.context.programDir), reason);
}

}  // namespace orvex
