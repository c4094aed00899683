#include "reportwindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/appservices.h"
#include "files/filetexts.h"
#include "lang/extratexts.h"
#include "reports/reportfile.h"

namespace orvex {

namespace {

QLabel* label(QWidget* parent, int number) {
  auto* l = new QLabel(parent);
  l->setObjectName(QStringLiteral("Label%1").arg(number));
  l->setWordWrap(true);
  return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QLatin1String(name));
  return b;
}

}  // namespace

Report::Report(AppServices& services)
    : services_(services), serialEdit_(new QLineEdit(this)), status_(new QLabel(this)) {
  setObjectName(QStringLiteral("Report"));
  setWindowTitle(QStringLiteral("ORVEX  Report"));
  serialEdit_->setObjectName(QStringLiteral("Text1"));
  status_->setObjectName(QStringLiteral("Status"));
  status_->setWordWrap(true);
  buildLayout();
}

void Report::buildLayout() {
  auto* serialFrame = new QGroupBox(QStringLiteral(u"Número de Serie"), this);
  serialFrame->setObjectName(QStringLiteral("Frame2"));
  (new QVBoxLayout(serialFrame))->addWidget(serialEdit_);

  auto* stepsFrame = new QGroupBox(QStringLiteral(u"Generación de Informes"), this);
  stepsFrame->setObjectName(QStringLiteral("Frame1"));
  auto* steps = new QVBoxLayout(stepsFrame);
  const QString dir = services_.context.programDir;
  const QStringList folders = {QStringLiteral("Report/Txt"), QStringLiteral("Report"),
                               QStringLiteral("Report/Doc")};
  for (int n = 1; n <= 6; ++n) {
    QLabel* step = label(stepsFrame, n);
    // Until the language texts arrive, Label3..Label5 show their folders.
    if (n >= 3 && n <= 5) step->setText(QDir::toNativeSeparators(dir + folders[n - 3]));
    steps->addWidget(step);
  }

  QPushButton* generateButton = button(this, "Command1", QStringLiteral("Genera Informe"));
  QPushButton* cancelButton = button(this, "Command2", QStringLiteral("Cancel"));
  connect(generateButton, &QPushButton::clicked, this, &Report::generate);
  connect(cancelButton, &QPushButton::clicked, this, &QWidget::hide);

  auto* top = new QHBoxLayout;
  top->addWidget(serialFrame, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(generateButton);
  buttons->addWidget(cancelButton);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(stepsFrame, 1);
  layout->addWidget(status_);
  resize(640, 420);
}

void Report::generate() {
  const QString serial = serialEdit_->text();
  const auto& message = services_.context.texts.message;
  if (serial.isEmpty()) return showProblem(message[47], message[48]);
  serialNumber_ = serial;
  // Hidden only once the file is written, so a failure leaves the window as it was.
  if (generateReport()) hide();
}

bool Report::generateReport() {
  ProgramContext& context = services_.context;
  ReportInput input;
  EditorAccess* editor = services_.editor();
  if (editor) editor->collectParameterSet();
  input.set = context.configEditada;
  input.texts = context.texts.report;
  for (const QString& name : reportNumberBoxNames())
    input.numberBoxes.insert(name, editor ? editor->numberBoxText(name) : QString());
  input.serialNumber = serialNumber_;

  const ReportOutcome outcome = writeReportFile(context.programDir, input, &context.texts);
  if (!outcome.written) {
    showProblem(outcome.message, outcome.title);
    return false;
  }
  status_->setText(extraText(&context.texts, extra::ReportWritten)
                       .arg(QDir::toNativeSeparators(outcome.path)));
  return true;
}

void Report::showProblem(const QString& prompt, const QString& title) {
  services_.messages.show(MessageIcon::Exclamation, prompt, title);
}

// The frame's close control leaves like Command2.
void Report::closeEvent(QCloseEvent* event) {
  hide();
  event->accept();
}

}  // namespace orvex
