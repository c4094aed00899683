#include "compara.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/textfile.h"
#include "common/ui/appservices.h"
#include "common/ui/captions.h"
#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "lang/languages.h"
#include "lang/textlookup.h"
#include "link/transfers.h"

namespace orvex {
namespace {

enum Column { SettingColumn, SlotColumn, EditorColumn, OtherColumn };
constexpr int kDifferenceRole = Qt::UserRole;

QLabel* makeLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setWordWrap(true);
  return label;
}

}  // namespace

Compara::Compara(AppServices& services) : services_(services) {
  setObjectName(QStringLiteral("Compara"));
  setWindowTitle(QString::fromUtf8("Comparación de Configuraciones"));
  buildWindow();
  connect(&services_.events, &AppEvents::languageApplied, this, &Compara::onLanguageApplied);
  // It compares with the editor and takes values into it: it goes when the editor goes.
  connect(&services_.events, &AppEvents::editorLeft, this, &QWidget::hide);
  onLanguageApplied();
}

void Compara::buildWindow() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildSourceFrame());
  auto* note = makeLabel("Label1", this);
  note->setText(
      QString::fromUtf8("Solo se listan los ajustes que difieren. Tomar un valor lo "
                        "pasa solo al editor; desde aquí no se graba nada en el "
                        "instrumento."));
  layout->addWidget(note);
  summary_ = makeLabel("Label2", this);
  QFont bold = summary_->font();
  bold.setBold(true);
  summary_->setFont(bold);
  layout->addWidget(summary_);
  buildResultList();
  layout->addWidget(results_, 1);
  status_ = makeLabel("Label3", this);
  layout->addWidget(status_);
  auto* buttons = new QHBoxLayout;
  takeOneButton_ = namedButton("Command2", QStringLiteral("Tomar valor seleccionado"), this);
  takeAllButton_ = namedButton("Command3", QStringLiteral("Tomar todos los valores"), this);
  auto* close = namedButton("Command4", QStringLiteral("Cerrar"), this);
  buttons->addWidget(takeOneButton_);
  buttons->addWidget(takeAllButton_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(takeOneButton_, &QPushButton::clicked, this, &Compara::takeSelected);
  connect(takeAllButton_, &QPushButton::clicked, this, &Compara::takeAll);
  connect(close, &QPushButton::clicked, this, &QWidget::hide);
  resize(980, 600);
}

QWidget* Compara::buildSourceFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Comparar el editor con"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  controllerOption_ = new QRadioButton(QStringLiteral("El instrumento conectado (se lee ahora)"));
  controllerOption_->setObjectName(QStringLiteral("Option1"));
  fileOption_ = new QRadioButton(QString::fromUtf8("Un fichero de configuración de CONFIG"));
  fileOption_->setObjectName(QStringLiteral("Option2"));
  fileList_ = new QListWidget;
  fileList_->setObjectName(QStringLiteral("File1"));
  fileList_->setMaximumHeight(110);
  compareButton_ = namedButton("Command1", QStringLiteral("Comparar"), frame);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(controllerOption_, 0, 0);
  grid->addWidget(fileOption_, 1, 0);
  grid->addWidget(fileList_, 2, 0);
  grid->addWidget(compareButton_, 2, 1, Qt::AlignBottom);
  grid->setColumnStretch(0, 1);
  // Picking a file means comparing with a file.
  connect(fileList_, &QListWidget::itemClicked, fileOption_,
          [this] { fileOption_->setChecked(true); });
  connect(fileOption_, &QRadioButton::toggled, this, [this] {
    if (!compared_) setColumnHeaders();
  });
  connect(compareButton_, &QPushButton::clicked, this, &Compara::compare);
  return frame;
}

void Compara::buildResultList() {
  results_ = new QTreeWidget(this);
  results_->setObjectName(QStringLiteral("List1"));
  results_->setColumnCount(4);
  results_->setRootIsDecorated(false);
  results_->setItemsExpandable(false);
  results_->setAlternatingRowColors(true);
  connect(results_, &QTreeWidget::itemSelectionChanged, this, &Compara::updateButtons);
  connect(results_, &QTreeWidget::itemDoubleClicked, this, &Compara::takeSelected);
}

// A new opening starts from the files as they are now, without a result that the editor's
// changes since may have made stale.
void Compara::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous() || reading_) return;
  refreshFileList();
  clearResult();
  if (!services_.transfers) fileOption_->setChecked(true);
  else if (!fileOption_->isChecked()) controllerOption_->setChecked(true);
  updateButtons();
}

void Compara::refreshFileList() {
  const QString folder = findFileNoCase(services_.context.programDir, QStringLiteral("CONFIG"));
  const QString current = fileList_->currentItem() ? fileList_->currentItem()->text() : QString();
  fileList_->clear();
  fileList_->addItems(QDir(folder).entryList({QStringLiteral("*.QVT")}, QDir::Files,
                                             QDir::Name | QDir::IgnoreCase));
  const QList<QListWidgetItem*> again = fileList_->findItems(current, Qt::MatchExactly);
  if (!again.isEmpty()) fileList_->setCurrentItem(again.first());
}

void Compara::compare() {
  if (reading_) return;
  ParameterSet other;
  if (!readOther(&other) || !collectEditor()) return;
  showCompared(other, false);
}

void Compara::showWrite(const ParameterSet& written, const ParameterSet& before,
                        const QString& beforeName) {
  editorSet_ = written;
  otherFile_ = beforeName;
  showCompared(before, true);
}

void Compara::showCompared(const ParameterSet& other, bool reviewingWrite) {
  otherSet_ = other;
  compared_ = true;
  reviewingWrite_ = reviewingWrite;
  setStatus(0);
  showDifferences();
}

bool Compara::readOther(ParameterSet* other) {
  return fileOption_->isChecked() ? readFile(other) : readController(other);
}

// Read, not loaded: ConfigLeida and the editor stay as they are, whatever the file holds.
bool Compara::readFile(ParameterSet* other) {
  const QListWidgetItem* picked = fileList_->currentItem();
  if (!picked) {
    services_.messages.show(MessageIcon::Exclamation, text(extra::ComparePickFile),
                            text(extra::CompareTitle));
    return false;
  }
  const QString name = picked->text().chopped(qMin<qsizetype>(4, picked->text().size()));
  QString problem;
  ProgramContext& context = services_.context;
  if (!readQvtFile(configFilePath(context.programDir, name), other, &problem, &context.texts)) {
    clearResult();
    services_.messages.show(MessageIcon::Exclamation, problem, text(extra::FileErrorTitle));
    return false;
  }
  otherFile_ = name;
  return true;
}

// The read tells the user why it failed; the list then shows nothing rather than a result
// that no longer answers the question asked.
bool Compara::readController(ParameterSet* other) {
  if (!services_.transfers) return false;
  if (services_.transfers->running()) {
    setStatus(extra::CompareBusy);
    return false;
  }
  reading_ = true;
  updateButtons();
  const bool read = services_.transfers->readConfiguration(other);
  reading_ = false;
  updateButtons();
  if (!read) clearResult(extra::CompareReadFailed);
  else otherFile_.clear();
  return read;
}

bool Compara::collectEditor() {
  EditorAccess* editor = services_.editor();
  if (!editor) return false;
  editor->collectParameterSet();
  editorSet_ = services_.context.configEditada;
  return true;
}

// The block LoadTexts read last (the marker changes only after it): the list speaks the
// language of the rest of the program.
int Compara::languageBase() const {
  if (services_.context.texts.languageBase >= 0) return services_.context.texts.languageBase;
  const Language* language = languageForMarker(services_.context.languageMarker);
  return language ? language->base : kEnglishBase;
}

void Compara::showDifferences() {
  differences_ = compareSets(editorSet_, otherSet_, wording_);
  results_->clear();
  setColumnHeaders();
  for (int i = 0; i < differences_.size(); ++i) addDifferenceRow(i);
  results_->expandAll();
  fitColumns();
  summary_->setText(differences_.isEmpty()
                        ? text(extra::CompareNoDifferences)
                        : text(extra::CompareDifferCount).arg(differences_.size()));
  updateButtons();
}

// Under a heading row for the editor's tab; the slot numbers small and grey beside the name.
void Compara::addDifferenceRow(int index) {
  const SettingDifference& difference = differences_[index];
  const int last = results_->topLevelItemCount() - 1;
  QTreeWidgetItem* section = last >= 0 ? results_->topLevelItem(last) : nullptr;
  if (!section || section->text(SettingColumn) != difference.section) {
    section = new QTreeWidgetItem(results_, {difference.section});
    section->setFirstColumnSpanned(true);
    section->setFlags(Qt::ItemIsEnabled);
    QFont bold = results_->font();
    bold.setBold(true);
    section->setFont(SettingColumn, bold);
  }
  auto* row = new QTreeWidgetItem(section, {difference.name, slotsText(difference.slotNumbers),
                                            difference.editorValue, difference.otherValue});
  row->setData(SettingColumn, kDifferenceRole, index);
  QFont small = results_->font();
  small.setPointSizeF(small.pointSizeF() * 0.8);
  row->setFont(SlotColumn, small);
  row->setForeground(SlotColumn, QColor(110, 110, 110));
  if (!difference.otherShowable) row->setForeground(OtherColumn, QColor(170, 0, 0));
}

void Compara::clearResult(int statusItem) {
  compared_ = false;
  reviewingWrite_ = false;
  differences_.clear();
  results_->clear();
  summary_->clear();
  setStatus(statusItem);
  setColumnHeaders();
  updateButtons();
}

void Compara::takeSelected() {
  if (const SettingDifference* chosen = selectedDifference()) take({*chosen});
}

void Compara::takeAll() { take(differences_); }

// Into the controls only: the editor's set as collected now with the chosen settings
// replaced, shown as a loaded file is shown (the editor's reactions run). ConfigLeida keeps
// what was last read or loaded.
void Compara::take(const QList<SettingDifference>& chosen) {
  EditorAccess* editor = services_.editor();
  if (reading_ || reviewingWrite_ || !editor || chosen.isEmpty() || !collectEditor()) return;
  ParameterSet set = editorSet_;
  QList<int> taken;
  bool skipped = false;
  for (const SettingDifference& difference : chosen) {
    if (!difference.otherShowable) {
      skipped = true;
      continue;
    }
    takeOtherValue(difference, &set);
    taken << difference.slotNumbers.first();
  }
  if (!taken.isEmpty()) editor->showSet(set);
  collectEditor();
  showDifferences();
  bool changedByEditor = false;
  for (const SettingDifference& difference : differences_)
    changedByEditor |= taken.contains(difference.slotNumbers.first());
  setStatus(changedByEditor ? extra::CompareChangedByEditor
            : skipped       ? extra::CompareNotTakeable
                            : extra::CompareTaken);
}

const SettingDifference* Compara::selectedDifference() const {
  const QList<QTreeWidgetItem*> selected = results_->selectedItems();
  if (selected.isEmpty()) return nullptr;
  const QVariant index = selected.first()->data(SettingColumn, kDifferenceRole);
  if (!index.isValid() || index.toInt() >= differences_.size()) return nullptr;
  return &differences_[index.toInt()];
}

void Compara::updateButtons() {
  const SettingDifference* chosen = selectedDifference();
  bool anyTakeable = false;
  for (const SettingDifference& difference : differences_) anyTakeable |= difference.otherShowable;
  controllerOption_->setEnabled(services_.transfers && !reading_);
  compareButton_->setEnabled(!reading_);
  takeOneButton_->setEnabled(!reading_ && !reviewingWrite_ && chosen && chosen->otherShowable);
  takeAllButton_->setEnabled(!reading_ && !reviewingWrite_ && anyTakeable);
}

// The other side's column names what was compared, or what the chosen option will compare.
void Compara::setColumnHeaders() {
  const bool file = compared_ ? !otherFile_.isEmpty() : fileOption_->isChecked();
  const QString name = compared_ ? otherFile_ : QString();
  const QString other =
      file ? text(extra::CompareFileColumn).arg(name) : text(extra::CompareControllerColumn);
  const int mine = reviewingWrite_ ? extra::HistoryWrittenColumn : extra::CompareEditorColumn;
  results_->setHeaderLabels(
      {text(extra::CompareSettingColumn), QString(), text(mine), other.trimmed()});
  fitColumns();
}

// Every column as wide as its longest text, the last one filling what room is left: a
// scroll bar rather than cut-off values.
void Compara::fitColumns() {
  QHeaderView* header = results_->header();
  header->setStretchLastSection(false);
  for (const Column column : {SettingColumn, SlotColumn, EditorColumn, OtherColumn})
    results_->resizeColumnToContents(column);
  header->setStretchLastSection(header->length() < results_->viewport()->width());
}

// The list speaks the new language at once: the result is worded again from the same sets.
void Compara::onLanguageApplied() {
  wording_ = wordingFor(services_.context.programDir, languageBase());
  setColumnHeaders();
  if (compared_) showDifferences();
  setStatus(statusItem_);
}

void Compara::setStatus(int item) {
  statusItem_ = item;
  status_->setText(item > 0 ? text(item) : QString());
}

QString Compara::text(int item) const { return extraText(&services_.context.texts, item); }

}  // namespace orvex
