#include "grabfich.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "common/ui/appservices.h"
#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "lang/writefailure.h"

namespace orvex {

GrabFich::GrabFich(AppServices& services)
    : ConfigFileWindow(services, QStringLiteral("GrabFich")), nameEdit_(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral(u"Selección de Fichero a Grabar"));
  nameEdit_->setObjectName(QStringLiteral("Text1"));
  leaveButton_->setText(keptLeaveCaption());
  buildLayout();
}

void GrabFich::buildLayout() {
  auto* note =
      new QLabel(QStringLiteral(u" La extensión será añadida automaticamente como .QVT"), this);
  note->setObjectName(QStringLiteral("Label2"));
  note->setWordWrap(true);
  QPushButton* saveButton = makeButton("Command3", QStringLiteral("Guardar Fichero"));
  QPushButton* defaultButton = makeButton("Command1", QStringLiteral(u"Configuración por Defecto"));
  connect(saveButton, &QPushButton::clicked, this, &GrabFich::save);
  connect(defaultButton, &QPushButton::clicked, this, &GrabFich::makeDefault);
  layOut(QStringLiteral(u"Seleccione un Fichero ó cree uno nuevo introduciendo el Nombre."),
         {nameEdit_, note}, {saveButton, defaultButton}, QSize(480, 320));
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
  // The editor's values are that file's now; the model they were read from stays known.
  ValuesOrigin saved{ValuesOrigin::Kind::File,
                     QFileInfo(path).fileName(),
                     {},
                     services_.context.configEditada};
  saved.set[kModelSlot] = services_.context.editorOrigin.set[kModelSlot];
  services_.context.editorOrigin = saved;
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
  const TextTables* texts = &services_.context.texts;
  if (services_.messages.show(MessageIcon::Question, messageText(texts, 38), messageText(texts, 37),
                              MessageButtons::YesNoDefaultNo) != MessageAnswer::Yes)
    return;
  QString reason;
  if (!writeDefaultFile(services_.context.programDir, name, &reason))
    showWriteFailure(defaultFilePath(services_.context.programDir), reason);
}

}  // namespace orvex
