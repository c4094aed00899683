#include "reportwindow.h"

#include <QCloseEvent>
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
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>

#include "common/textfile.h"
#include "common/ui/appservices.h"
#include "common/ui/captions.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "reports/reportfields.h"
#include "reports/reportfile.h"

namespace orvex {

namespace {

QLabel* label(QWidget* parent, int number) {
  auto* l = new QLabel(parent);
  l->setObjectName(QStringLiteral("Label%1").arg(number));
  l->setWordWrap(true);
  return l;
}

QLineEdit* lineEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  return edit;
}

QRadioButton* option(QWidget* parent, const char* name) {
  auto* o = new QRadioButton(parent);
  o->setObjectName(QLatin1String(name));
  return o;
}

// A desktop's opener (xdg-open) hands a file to the program named for its type and tells no
// one when none is named; xdg-mime, which it asks, then answers with an empty line. Where
// xdg-mime cannot be asked (another system), the system's own opening decides.
void askForPdfViewer(QObject* owner, const std::function<void(bool named)>& answer) {
  auto* query = new QProcess(owner);
  QObject::connect(query, &QProcess::finished, owner,
                   [query, answer](int code, QProcess::ExitStatus status) {
                     const QByteArray named = query->readAllStandardOutput().trimmed();
                     query->deleteLater();
                     answer(status != QProcess::NormalExit || code != 0 || !named.isEmpty());
                   });
  QObject::connect(query, &QProcess::errorOccurred, owner,
                   [query, answer](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     query->deleteLater();
                     answer(true);
                   });
  query->start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                            QStringLiteral("application/pdf")});
}

QString timeShown(const QDateTime& time) {
  return time.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

}  // namespace

Report::Report(AppServices& services)
    : services_(services),
      serialEdit_(lineEdit(this, "Text1")),
      customerEdit_(lineEdit(this, "Text2")),
      siteEdit_(lineEdit(this, "Text3")),
      fromEditor_(option(this, "Option1")),
      fromLastRead_(option(this, "Option2")),
      statusLine_(new QLabel(this)),
      noDocument_(label(this, 7)) {
  setObjectName(QStringLiteral("Report"));
  setWindowTitle(QStringLiteral("ORVEX  Report"));
  statusLine_->setObjectName(QStringLiteral("Status"));
  statusLine_->setWordWrap(true);
  // The confirmation stands out from the steps above it.
  statusLine_->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
  fromEditor_->setChecked(true);
  const ReportFields kept = readReportFields(services_.context.programDir);
  for (QLineEdit* edit : {customerEdit_, siteEdit_}) edit->setMaxLength(kReportFieldLongest);
  customerEdit_->setText(kept.customer);
  siteEdit_->setText(kept.site);
  buildLayout();
  connect(&services_.events, &AppEvents::languageApplied, this, &Report::applyTexts);
  connect(&services_.events, &AppEvents::transferEnded, this, &Report::showLastRead);
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

  QPushButton* generateButton = namedButton("Command1", QStringLiteral("Genera Informe"), this);
  QPushButton* cancelButton = namedButton("Command2", QStringLiteral("Cancel"), this);
  QPushButton* printButton = namedButton("Command3", QStringLiteral("Imprimir..."), this);
  QPushButton* openButton = namedButton("Command4", QStringLiteral("Abrir informe"), this);
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
  layout->addWidget(buildSourceFrame());
  layout->addWidget(buildFieldsRow());
  layout->addWidget(noDocument_);
  layout->addWidget(stepsFrame, 1);
  layout->addWidget(statusLine_);
  resize(640, 520);
}

// Which values the report records: the editor's, or those of the last read of the controller.
QWidget* Report::buildSourceFrame() {
  auto* frame = new QGroupBox(this);
  frame->setObjectName(QStringLiteral("Frame3"));
  auto* options = new QVBoxLayout(frame);
  options->addWidget(fromEditor_);
  options->addWidget(fromLastRead_);
  return frame;
}

// Customer and site: optional, kept for the next report.
QWidget* Report::buildFieldsRow() {
  auto* row = new QWidget(this);
  auto* fields = new QGridLayout(row);
  fields->setContentsMargins(0, 0, 0, 0);
  QLabel* customer = label(row, 8);
  QLabel* site = label(row, 9);
  customer->setBuddy(customerEdit_);
  site->setBuddy(siteEdit_);
  fields->addWidget(customer, 0, 0);
  fields->addWidget(customerEdit_, 0, 1);
  fields->addWidget(site, 1, 0);
  fields->addWidget(siteEdit_, 1, 1);
  fields->setColumnStretch(1, 1);
  return row;
}

void Report::generate() {
  const QString serial = serialEdit_->text();
  const TextTables* texts = &services_.context.texts;
  if (serial.isEmpty()) return showProblem(messageText(texts, 47), messageText(texts, 48));
  if (!fieldsStorable()) return;
  serialNumber_ = serial;
  // The window stays on the outcome: the confirmation with Print and Open, or the failure.
  generateReport();
}

bool Report::generateReport() {
  ProgramContext& context = services_.context;
  ReportInput input;
  ReportDocumentHeader header =
      reportHeader({}, customerEdit_->text().trimmed(), siteEdit_->text().trimmed());
  if (!collectInput(&input, &header)) return false;
  const ReportPaths paths = reportPaths(context.programDir, serialNumber_);
  const WrittenReport report = writeReport(paths, input, context.texts, header);
  // After a failure nothing is left to print: a document made before is not the one asked for.
  document_ =
      report.written() ? Document{report.layout, serialNumber_, paths.document} : Document{};
  if (report.written()) status_ = {extra::ReportBothWritten, {paths.data, paths.document}};
  else if (report.result == WrittenReport::Result::DocumentNotWritten)
    status_ = {extra::ReportWritten, {paths.data}};
  showDocumentState();
  if (!report.written()) showProblem(report.message, report.title);
  else keepFields();
  return report.written();
}

// The editor's values, named by where they were read, loaded or saved while unchanged; or
// the last read of the controller as the editor would show it. False when told why not.
bool Report::collectInput(ReportInput* input, ReportDocumentHeader* header) {
  const ProgramContext& context = services_.context;
  if (fromLastRead_->isChecked()) {
    QList<int> unshown;
    *input = editorReportInput(context.lastRead.set, &unshown);
    if (!unshown.isEmpty()) {
      QStringList numbers;
      for (const int slot : unshown) numbers << QString::number(slot);
      showProblem(extraText(&context.texts, extra::OutOfRangePrompt).arg(numbers.join(", ")),
                  extraText(&context.texts, extra::OutOfRangeTitle));
      return false;
    }
    header->source = context.lastRead;
  } else {
    EditorAccess* editor = services_.editor();
    if (editor) editor->collectParameterSet();
    input->set = context.configEditada;
    for (const QString& name : reportNumberBoxNames())
      input->numberBoxes.insert(name, editor ? editor->numberBoxText(name) : QString());
    header->source = context.editorOrigin;
    if (!sameSettings(input->set, context.editorOrigin.set))
      header->source = {ValuesOrigin::Kind::Editor, {}, {}, context.editorOrigin.set};
  }
  input->texts = context.texts.report;
  input->serialNumber = serialNumber_;
  return true;
}

// The kept file holds Windows-1252 only: other characters are refused before anything is
// written, as for a serial number.
bool Report::fieldsStorable() {
  const QString unstorable = unstorableReportCharacters({customerEdit_->text(), siteEdit_->text()});
  if (unstorable.isEmpty()) return true;
  const TextTables* texts = &services_.context.texts;
  const QString typed = customerEdit_->text() + QLatin1Char(' ') + siteEdit_->text();
  showProblem(extraText(texts, extra::NotStorable).arg(typed.trimmed(), unstorable),
              extraText(texts, extra::DocCustomer));
  return false;
}

// Kept for the next report; a failure to keep them is told, the report stays written.
void Report::keepFields() {
  QString error;
  const QString dir = services_.context.programDir;
  if (keepReportFields(dir, {customerEdit_->text(), siteEdit_->text()}, &error)) return;
  const TextTables* texts = &services_.context.texts;
  const QString path = findFileNoCase(dir, QLatin1String(kReportFieldsFile));
  showProblem(extraText(texts, extra::WriteFailed).arg(QDir::toNativeSeparators(path), error),
              extraText(texts, extra::WriteFailedTitle));
}

bool Report::documentShown() const {
  return document_.layout && document_.serialNumber == serialEdit_->text();
}

// In the current language: the files named stay, the words follow a change of language.
void Report::showStatus() {
  if (status_.item == 0) return;
  const QString text = extraText(&services_.context.texts, status_.item);
  const QString data = QDir::toNativeSeparators(status_.files.value(0));
  // One arg() call for both: a "%2" inside a file name is not a place to fill.
  const QString told = status_.files.size() == 2
                           ? text.arg(data, QDir::toNativeSeparators(status_.files[1]))
                           : text.arg(data);
  // The confirmation points at what can be done with the document now.
  const bool ready = status_.item == extra::ReportBothWritten && documentShown();
  statusLine_->setText(ready ? told + QLatin1Char(' ') +
                                   extraText(&services_.context.texts, extra::ReportReady)
                             : told);
}

// Print and Open act on the document of the serial number shown, or are off and say why.
void Report::showDocumentState() {
  const bool shown = documentShown();
  const TextTables* texts = &services_.context.texts;
  for (const char* name : {"Command3", "Command4"})
    if (auto* b = findChild<QPushButton*>(QLatin1String(name))) b->setEnabled(shown);
  noDocument_->setText(shown ? QString() : extraText(texts, extra::ReportNoDocument));
  noDocument_->setVisible(!shown);
  // Once written, leaving is closing the confirmation, not cancelling.
  if (auto* b = findChild<QPushButton*>(QStringLiteral("Command2")))
    b->setText(extraText(texts, shown ? extra::ReportClose : extra::ReportCancel));
  showStatus();
}

// The last read of the controller, with its port and time, when there was one.
void Report::showLastRead() {
  const ValuesOrigin& read = services_.context.lastRead;
  const bool available = read.kind == ValuesOrigin::Kind::Controller;
  const TextTables* texts = &services_.context.texts;
  fromLastRead_->setText(
      available ? extraText(texts, extra::ReportFromRead).arg(read.name, timeShown(read.time))
                : extraText(texts, extra::ReportNoRead));
  fromLastRead_->setEnabled(available);
  if (!available) fromEditor_->setChecked(true);
}

void Report::print() {
  if (!documentShown()) return;
  QPrinter printer(QPrinter::HighResolution);
  setUpReportPage(&printer);
  printer.setDocName(document_.serialNumber);
  QPrintPreviewDialog preview(&printer, this);
  // The pages of the PDF, as laid out for it: the printout paginates as the archived file.
  const std::shared_ptr<const ReportLayout> layout = document_.layout;
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [layout](QPrinter* device) { layout->paint(device); });
  preview.exec();
}

void Report::openDocument() {
  if (!documentShown()) return;
  const QString path = document_.path;
  askForPdfViewer(this, [this, path](bool named) {
    if (named && QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
    const QFileInfo file(path);
    // The file is there: only a program to show it is missing.
    services_.messages.show(MessageIcon::Information,
                            extraText(&services_.context.texts, extra::ReportNoViewer)
                                .arg(file.fileName(),
                                     QDir::toNativeSeparators(file.absolutePath())),
                            extraText(&services_.context.texts, extra::ReportNoViewerTitle));
  });
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
  if (auto* frame = findChild<QGroupBox*>(QStringLiteral("Frame3")))
    frame->setTitle(extraText(texts, extra::ReportValuesFrame));
  fromEditor_->setText(extraText(texts, extra::ReportFromEditor));
  if (auto* l = findChild<QLabel*>(QStringLiteral("Label8")))
    l->setText(extraText(texts, extra::DocCustomer));
  if (auto* l = findChild<QLabel*>(QStringLiteral("Label9")))
    l->setText(extraText(texts, extra::DocSite));
  showLastRead();
  showDocumentState();
}

void Report::showProblem(const QString& prompt, const QString& title) {
  services_.messages.show(MessageIcon::Exclamation, prompt, title);
}

void Report::showEvent(QShowEvent* event) {
  showLastRead();
  QWidget::showEvent(event);
}

// The frame's close control leaves like Command2.
void Report::closeEvent(QCloseEvent* event) {
  hide();
  event->accept();
}

}  // namespace orvex
