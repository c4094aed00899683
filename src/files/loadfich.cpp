#include "loadfich.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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
  auto* instruction = new QLabel(QStringLiteral("Seleccione un Fichero "), this);
  instruction->setObjectName(QStringLiteral("Label1"));
  instruction->setWordWrap(true);
  auto* loadButton = new QPushButton(QStringLiteral("Cargar Fichero"), this);
  loadButton->setObjectName(QStringLiteral("Command1"));
  connect(loadButton, &QPushButton::clicked, this, &LoadFich::load);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(loadButton);
  buttons->addWidget(leaveButton_);
  buttons->addStretch();
  auto* left = new QVBoxLayout;
  left->addWidget(fileList_);
  left->addWidget(pickedName_);
  auto* body = new QHBoxLayout;
  body->addLayout(left, 1);
  body->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(instruction);
  layout->addLayout(body);
  resize(440, 300);
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
