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
#include "reports/reportdocument.h"
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
  connect(&services_.events, &AppEvents::languageApplied, this, &Report::applyTexts);
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
  // The document is made from the very values the data file holds.
  const ReportDocumentHeader header{QDate::currentDate(), QStringLiteral(ORVEX_VERSION)};
  const ReportPages pages{reportDocumentHtml(renderReportValues(input), context.texts, header),
                          extraText(&context.texts, extra::DocPage), serialNumber_};
  return writeDocument(pages, outcome.path);
}

// A document that cannot be written leaves the data file as it is, and says so.
bool Report::writeDocument(const ReportPages& pages, const QString& dataFile) {
  const TextTables* texts = &services_.context.texts;
  const QString document = reportDocumentPath(services_.context.programDir, serialNumber_);
  const QString shownData = QDir::toNativeSeparators(dataFile);
  const QString shownDocument = QDir::toNativeSeparators(document);
  QString reason;
  if (!writeReportPdf(document, pages, &reason)) {
    status_->setText(extraText(texts, extra::ReportWritten).arg(shownData));
    showProblem(extraText(texts, extra::ReportPdfFailed).arg(shownDocument, reason, shownData),
                extraText(texts, extra::WriteFailedTitle));
    return false;
  }
  lastPages_ = pages;
  lastDocument_ = document;
  status_->setText(extraText(texts, extra::ReportBothWritten).arg(shownData, shownDocument));
  return true;
}

bool Report::haveReport() {
  if (!lastDocument_.isEmpty()) return true;
  const TextTables* texts = &services_.context.texts;
  showProblem(extraText(texts, extra::ReportNoneYet), services_.context.texts.message[48]);
  return false;
}

void Report::print() {
  if (!haveReport()) return;
  QPrinter printer(QPrinter::HighResolution);
  setUpReportPage(&printer);
  printer.setDocName(serialNumber_);
  QPrintPreviewDialog preview(&printer, this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* device) { paintReport(device, lastPages_); });
  preview.exec();
}

void Report::openDocument() {
  if (!haveReport()) return;
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(lastDocument_))) return;
  const QFileInfo file(lastDocument_);
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
