#include "reportwindow.h"

#include <QCloseEvent>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
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
    : services_(services),
      serialEdit_(new QLineEdit(this)),
      statusLine_(new QLabel(this)),
      noDocument_(label(this, 7)) {
  setObjectName(QStringLiteral("Report"));
  setWindowTitle(QStringLiteral("ORVEX  Report"));
  serialEdit_->setObjectName(QStringLiteral("Text1"));
  statusLine_->setObjectName(QStringLiteral("Status"));
  statusLine_->setWordWrap(true);
  buildLayout();
  connect(&services_.events, &AppEvents::languageApplied, this, &Report::applyTexts);
  connect(serialEdit_, &QLineEdit::textChanged, this, &Report::showDocumentState);
  showDocumentState();
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
  QPushButton* printButton = button(this, "Command3", QStringLiteral("Imprimir..."));
  QPushButton* openButton = button(this, "Command4", QStringLiteral("Abrir informe"));
  connect(generateButton, &QPushButton::clicked, this, &Report::generate);
  connect(cancelButton, &QPushButton::clicked, this, &QWidget::hide);
  connect(printButton, &QPushButton::clicked, this, &Report::print);
  connect(openButton, &QPushButton::clicked, this, &Report::openDocument);

  auto* top = new QHBoxLayout;
  top->addWidget(serialFrame, 1);
  auto* buttons = new QGridLayout;
  buttons->addWidget(generateButton, 0, 0);
  buttons->addWidget(cancelButton, 0, 1);
  buttons->addWidget(printButton, 1, 0);
  buttons->addWidget(openButton, 1, 1);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(noDocument_);
  layout->addWidget(stepsFrame, 1);
  layout->addWidget(statusLine_);
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
  const ReportInput input = collectInput();
  const ReportPaths paths{reportFilePath(context.programDir, serialNumber_),
                          reportDocumentPath(context.programDir, serialNumber_)};
  const ReportDocumentHeader header{QDate::currentDate(), QStringLiteral(ORVEX_VERSION)};
  const WrittenReport report = writeReport(paths, input, context.texts, header);
  // After a failure nothing is left to print: a document made before is not the one asked for.
  document_ = report.written() ? Document{report.pages, paths.document} : Document{};
  if (report.written()) status_ = {extra::ReportBothWritten, {paths.data, paths.document}};
  else if (report.result == WrittenReport::Result::DocumentNotWritten)
    status_ = {extra::ReportWritten, {paths.data}};
  showStatus();
  showDocumentState();
  if (!report.written()) showProblem(report.message, report.title);
  return report.written();
}

ReportInput Report::collectInput() {
  ReportInput input;
  EditorAccess* editor = services_.editor();
  if (editor) editor->collectParameterSet();
  input.set = services_.context.configEditada;
  input.texts = services_.context.texts.report;
  for (const QString& name : reportNumberBoxNames())
    input.numberBoxes.insert(name, editor ? editor->numberBoxText(name) : QString());
  input.serialNumber = serialNumber_;
  return input;
}

bool Report::documentShown() const {
  return !document_.path.isEmpty() && document_.pages.serialNumber == serialEdit_->text();
}

// In the current language: the files named stay, the words follow a change of language.
void Report::showStatus() {
  if (status_.item == 0) return;
  const QString text = extraText(&services_.context.texts, status_.item);
  const QString data = QDir::toNativeSeparators(status_.files.value(0));
  // One arg() call for both: a "%2" inside a file name is not a place to fill.
  statusLine_->setText(status_.files.size() == 2
                           ? text.arg(data, QDir::toNativeSeparators(status_.files[1]))
                           : text.arg(data));
}

// Print and Open act on the document of the serial number shown, or are off and say why.
void Report::showDocumentState() {
  const bool shown = documentShown();
  for (const char* name : {"Command3", "Command4"})
    if (auto* b = findChild<QPushButton*>(QLatin1String(name))) b->setEnabled(shown);
  noDocument_->setText(shown ? QString()
                             : extraText(&services_.context.texts, extra::ReportNoDocument));
  noDocument_->setVisible(!shown);
}

void Report::print() {
  if (!documentShown()) return;
  QPrinter printer(QPrinter::HighResolution);
  setUpReportPage(&printer);
  printer.setDocName(document_.pages.serialNumber);
  QPrintPreviewDialog preview(&printer, this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* device) { paintReport(device, document_.pages); });
  preview.exec();
}

void Report::openDocument() {
  if (!documentShown()) return;
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(document_.path))) return;
  const QFileInfo file(document_.path);
  showProblem(extraText(&services_.context.texts, extra::ReportNoViewer)
                  .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath())),
              extraText(&services_.context.texts, extra::WriteFailedTitle));
}

// The steps tell the flow of the finished document; the buttons get their words.
void Report::applyTexts() {
  const TextTables* texts = &services_.context.texts;
  const QString reportDir = services_.context.programDir + QStringLiteral("Report/");
  const QString folders[] = {QString(), QDir::toNativeSeparators(reportDir + "Txt"),
                             QDir::toNativeSeparators(reportDir + "Doc"), QString(), QString()};
  for (int n = 1; n <= 5; ++n)
    if (auto* step = findChild<QLabel*>(QStringLiteral("Label%1").arg(n)))
      step->setText(extraText(texts, extra::ReportStep1 + n - 1) + folders[n - 1]);
  if (auto* b = findChild<QPushButton*>(QStringLiteral("Command3")))
    b->setText(extraText(texts, extra::ReportPrint));
  if (auto* b = findChild<QPushButton*>(QStringLiteral("Command4")))
    b->setText(extraText(texts, extra::ReportOpen));
  showStatus();
  showDocumentState();
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
