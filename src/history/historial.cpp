#include "historial.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "common/ui/appservices.h"
#include "common/ui/captions.h"
#include "common/ui/placement.h"
#include "compare/compara.h"
#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex {
namespace {

enum Column { DateColumn, PortColumn, WrittenColumn, OutcomeColumn, BeforeColumn, ChangedColumn };
constexpr int kEntryRole = Qt::UserRole;

// The copies are read from the History folder only, whatever a line names.
QString copyPath(const QString& programDir, const QString& relative) {
  return historyPath(programDir, QFileInfo(relative).fileName());
}

}  // namespace

Historial::Historial(AppServices& services) : services_(services) {
  setObjectName(QStringLiteral("Historial"));
  setWindowTitle(QStringLiteral("Historial de grabaciones"));
  buildWindow();
  connect(&services_.events, &AppEvents::historyChanged, this, [this] {
    if (isVisible()) refresh();
  });
  connect(&services_.events, &AppEvents::languageApplied, this, [this] {
    if (isVisible()) refresh();
  });
  connect(&services_.events, &AppEvents::editorLeft, this, &QWidget::hide);
}

void Historial::buildWindow() {
  auto* layout = new QVBoxLayout(this);
  auto* note = new QLabel(this);
  note->setObjectName(QStringLiteral("Label1"));
  note->setWordWrap(true);
  note->setText(QString::fromUtf8(
      "Antes de cada grabación se guarda en la carpeta History la configuración que tenía el "
      "instrumento. Cargue esa copia en el editor y grábela para deshacer una grabación."));
  layout->addWidget(note);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("List1"));
  list_->setColumnCount(6);
  list_->setRootIsDecorated(false);
  list_->setAlternatingRowColors(true);
  layout->addWidget(list_, 1);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("Label2"));
  status_->setWordWrap(true);
  layout->addWidget(status_);
  auto* buttons = new QHBoxLayout;
  changesButton_ = namedButton("Command1", QStringLiteral("Ver cambios"), this);
  loadButton_ = namedButton("Command2", QStringLiteral("Cargar la copia en el editor"), this);
  auto* close = namedButton("Command3", QStringLiteral("Cerrar"), this);
  buttons->addWidget(changesButton_);
  buttons->addWidget(loadButton_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(changesButton_, &QPushButton::clicked, this, &Historial::showChanges);
  connect(loadButton_, &QPushButton::clicked, this, &Historial::loadBefore);
  connect(close, &QPushButton::clicked, this, &QWidget::hide);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
    updateButtons();
    const HistoryEntry* entry = selected();
    setStatus(entry && entry->before.isEmpty() ? text(extra::HistoryNoCopy) : QString());
  });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &Historial::showChanges);
  resize(900, 420);
}

void Historial::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) refresh();
}

void Historial::refresh() {
  QString problem;
  QList<HistoryEntry> read;
  const QString dir = services_.context.programDir;
  if (!readHistory(dir, &read, &problem))
    setStatus(
        extraText(&services_.context.texts, extra::FileUnreadable)
            .arg(QDir::toNativeSeparators(historyPath(dir, QLatin1String(kHistoryFile))), problem));
  else setStatus(read.isEmpty() ? text(extra::HistoryEmpty) : QString());
  std::reverse(read.begin(), read.end());
  entries_ = read;
  list_->clear();
  setHeaders();
  for (const HistoryEntry& entry : std::as_const(entries_)) addRow(entry);
  for (int column = DateColumn; column <= ChangedColumn; ++column)
    list_->resizeColumnToContents(column);
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  updateButtons();
}

void Historial::addRow(const HistoryEntry& entry) {
  const TextTables* texts = &services_.context.texts;
  auto* row =
      new QTreeWidgetItem(list_,
                          {entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm")), entry.port,
                           shownSource(texts, entry.source), shownOutcome(texts, entry.outcome),
                           QFileInfo(entry.before).fileName(),
                           entry.changed < 0 ? QString() : QString::number(entry.changed)});
  row->setData(DateColumn, kEntryRole, list_->topLevelItemCount() - 1);
  row->setToolTip(PortColumn, entry.device);
}

void Historial::setHeaders() {
  QStringList headers;
  for (int item = extra::HistoryDateColumn; item <= extra::HistoryChangedColumn; ++item)
    headers << text(item);
  list_->setHeaderLabels(headers);
}

const HistoryEntry* Historial::selected() const {
  const QList<QTreeWidgetItem*> items = list_->selectedItems();
  if (items.isEmpty()) return nullptr;
  const int index = items.first()->data(DateColumn, kEntryRole).toInt();
  return index >= 0 && index < entries_.size() ? &entries_[index] : nullptr;
}

void Historial::updateButtons() {
  const HistoryEntry* entry = selected();
  changesButton_->setEnabled(entry && !entry->before.isEmpty() && !entry->written.isEmpty());
  loadButton_->setEnabled(entry && !entry->before.isEmpty());
}

// A copy that cannot be read is told in the words a damaged configuration file gets.
bool Historial::readCopy(const QString& relative, ParameterSet* set) {
  QString problem;
  ProgramContext& context = services_.context;
  if (readQvtFile(copyPath(context.programDir, relative), set, &problem, &context.texts))
    return true;
  services_.messages.show(MessageIcon::Exclamation, problem, text(extra::FileErrorTitle));
  return false;
}

void Historial::showChanges() {
  const HistoryEntry* entry = selected();
  ParameterSet before;
  ParameterSet written;
  if (!entry || entry->before.isEmpty() || entry->written.isEmpty() ||
      !readCopy(entry->before, &before) || !readCopy(entry->written, &written))
    return;
  auto* compara = services_.windows.get<Compara>(QStringLiteral("Compara"));
  if (!compara) return;
  showOver(compara, this);
  compara->showWrite(written, before, QFileInfo(entry->before).fileName());
}

// As a file is loaded: into ConfigLeida and the editor, all or nothing.
void Historial::loadBefore() {
  const HistoryEntry* entry = selected();
  ParameterSet copy = services_.context.configLeida;
  if (!entry || entry->before.isEmpty() || !readCopy(entry->before, &copy)) return;
  ProgramContext& context = services_.context;
  context.configLeida = copy;
  const QString name = QStringLiteral("History/") + QFileInfo(entry->before).fileName();
  context.editorOrigin = {ValuesOrigin::Kind::File, name, {}, copy};
  if (EditorAccess* editor = services_.editor()) editor->showParameterSet();
  setStatus(text(extra::HistoryLoaded).arg(QFileInfo(entry->before).fileName()));
}

void Historial::setStatus(const QString& status) { status_->setText(status); }

QString Historial::text(int item) const { return extraText(&services_.context.texts, item); }

}  // namespace orvex
