#include "loadfich.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "common/ui/appservices.h"
#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex {

LoadFich::LoadFich(AppServices& services)
    : ConfigFileWindow(services, QStringLiteral("LoadFich")), pickedName_(new QLabel(this)) {
  setWindowTitle(QStringLiteral(u"Seleción Fichero a Cargar"));
  pickedName_->setObjectName(QStringLiteral("Label2"));
  pickedName_->setFrameShape(QFrame::StyledPanel);
  leaveButton_->setText(keptLeaveCaption());
  buildLayout();
}

void LoadFich::buildLayout() {
  QPushButton* loadButton = makeButton("Command1", QStringLiteral("Cargar Fichero"));
  connect(loadButton, &QPushButton::clicked, this, &LoadFich::load);
  layOut(QStringLiteral("Seleccione un Fichero "), {pickedName_}, {loadButton}, QSize(440, 300));
}

QString LoadFich::keptLeaveCaption() const {
  const QString kept = services_.context.texts.loadFichLeaveCaption;
  return kept.isEmpty() ? QStringLiteral("Salir sin Cargar") : kept;
}

void LoadFich::filePicked(const QString& name) { pickedName_->setText(name); }

void LoadFich::load() {
  const QString name = pickedName_->text();
  if (name.isEmpty()) return showMessageText(36, 40);
  ProgramContext& context = services_.context;
  QString problem;
  // All or nothing: a damaged file leaves ConfigLeida and the editor as they were.
  const QString path = configFilePath(context.programDir, name);
  if (!readQvtFile(path, &context.configLeida, &problem, &context.texts))
    return showProblem(problem, extraText(&context.texts, extra::FileErrorTitle));
  context.editorOrigin = {ValuesOrigin::Kind::File,
                          QFileInfo(path).fileName(),
                          {},
                          context.configLeida};
  if (EditorAccess* editor = services_.editor()) editor->showParameterSet();
  showExitCaption();
}

}  // namespace orvex
