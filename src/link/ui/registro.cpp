#include "registro.h"

#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "common/textfile.h"
#include "common/ui/appservices.h"
#include "common/ui/captions.h"
#include "common/ui/placement.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "lang/writefailure.h"
#include "link/framelog.h"
#include "link/transfers.h"

namespace orvex {
namespace {

// Report/Log/<start of the transfer>.log, the folder made when missing.
QString logPath(const QString& programDir, const TransferRecord& transfer) {
  const QString report = findFileNoCase(programDir, QStringLiteral("Report"));
  const QString folder = QDir(report).filePath(QStringLiteral("Log"));
  QDir().mkpath(folder);
  return QDir(folder).filePath(transfer.started.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                               QStringLiteral(".log"));
}

const FrameLog* frameLog(const AppServices& services) {
  return services.transfers ? &services.transfers->log() : nullptr;
}

}  // namespace

Registro::Registro(AppServices& services)
    : QWidget(nullptr, Qt::Window),
      services_(services),
      transfers_(new QComboBox),
      text_(new QPlainTextEdit),
      status_(new QLabel) {
  setObjectName("Registro");
  setWindowTitle(QStringLiteral("Tramas de las últimas transferencias"));
  transfers_->setObjectName("Combo1");
  text_->setObjectName("Text1");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  status_->setObjectName("Status");
  status_->setWordWrap(true);
  QPushButton* saveButton = namedButton("Command1", QStringLiteral("Guardar registro"));
  QPushButton* closeButton = namedButton("Command2", QStringLiteral("Cerrar"));
  connect(saveButton, &QPushButton::clicked, this, &Registro::save);
  connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
  connect(transfers_, &QComboBox::currentIndexChanged, this, &Registro::showTransfer);
  // A transfer that ends while the window is open is shown at once, one under way each second.
  connect(&services_.events, &AppEvents::transferEnded, this, [this] {
    if (isVisible()) refresh();
  });
  watch_ = new QTimer(this);
  watch_->setInterval(1000);
  connect(watch_, &QTimer::timeout, this, &Registro::refresh);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status_, 1);
  buttons->addWidget(saveButton);
  buttons->addWidget(closeButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(transfers_);
  layout->addWidget(text_, 1);
  layout->addLayout(buttons);
  resize(820, 520);
}

void Registro::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!std::exchange(placed_, true)) placeOver(this, services_.windows.existing("ConfigQVT"));
  fillList();
  {
    const QSignalBlocker quiet(transfers_);
    transfers_->setCurrentIndex(0);  // the latest transfer, shown afresh
  }
  showTransfer(0);
  watch_->start();
}

void Registro::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  watch_->stop();
}

void Registro::refresh() {
  QScrollBar* bar = text_->verticalScrollBar();
  // Following the latest transfer to its end: a transfer begun since is followed in turn.
  const bool following =
      !listedIds_.isEmpty() && shownId_ == listedIds_.first() && bar->value() == bar->maximum();
  fillList();
  if (following) {
    const QSignalBlocker quiet(transfers_);
    transfers_->setCurrentIndex(0);
  }
  const TransferRecord* chosen = transferAt(transfers_->currentIndex());
  if (chosen && chosen->id == shownId_) appendNews(*chosen);
  else showTransfer(transfers_->currentIndex());
}

// The transfers kept, the latest first; the list is made again only when they changed, with
// the transfer shown still chosen.
void Registro::fillList() {
  QList<quint64> ids;
  QStringList names;
  if (const FrameLog* log = frameLog(services_)) {
    const auto& kept = log->transfers();
    for (size_t i = kept.size(); i > 0; --i) {
      const TransferRecord& record = kept[i - 1];
      ids << record.id;
      names << QStringLiteral("%1  %2  %3")
                   .arg(record.started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                        record.title, record.port);
    }
  }
  if (ids == listedIds_) return;
  listedIds_ = ids;
  const QSignalBlocker quiet(transfers_);
  transfers_->clear();
  transfers_->addItems(names);
  transfers_->setCurrentIndex(std::max<qsizetype>(0, ids.indexOf(shownId_)));
}

// The list shows the newest transfer first.
const TransferRecord* Registro::transferAt(int index) const {
  const FrameLog* log = frameLog(services_);
  if (!log || index < 0 || static_cast<size_t>(index) >= log->transfers().size()) return nullptr;
  const auto& kept = log->transfers();
  return &kept[kept.size() - 1 - static_cast<size_t>(index)];
}

// A transfer chosen afresh: the whole of it, at its end while it runs.
void Registro::showTransfer(int index) {
  const TransferRecord* transfer = transferAt(index);
  shownId_ = transfer ? transfer->id : 0;
  shownFrames_ = transfer ? transfer->frames.size() : 0;
  shownEnd_ = transfer && transfer->outcome != TransferOutcome::Running;
  status_->clear();
  text_->setPlainText(transfer ? formatTransferLog(*transfer)
                               : extraText(&services_.context.texts, extra::LogEmpty));
  if (transfer && !shownEnd_)
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

void Registro::appendNews(const TransferRecord& transfer) {
  QString news = formatTransferFrames(transfer, shownFrames_);
  shownFrames_ = transfer.frames.size();
  if (!shownEnd_ && transfer.outcome != TransferOutcome::Running) {
    news += formatTransferEnd(transfer);
    shownEnd_ = true;
  }
  if (!news.isEmpty()) append(news);
}

// Added at the end, out of the user's way: the selection and the scroll position stay as they
// were, unless the view was at the end, where it stays.
void Registro::append(const QString& text) {
  QScrollBar* vertical = text_->verticalScrollBar();
  QScrollBar* horizontal = text_->horizontalScrollBar();
  const bool atEnd = vertical->value() == vertical->maximum();
  const int top = vertical->value();
  const int left = horizontal->value();
  const QTextCursor selection = text_->textCursor();
  const int anchor = selection.anchor();
  const int position = selection.position();
  QTextCursor end(text_->document());
  end.movePosition(QTextCursor::End);
  end.insertText(text);
  QTextCursor kept(text_->document());
  kept.setPosition(anchor);
  kept.setPosition(position, QTextCursor::KeepAnchor);
  text_->setTextCursor(kept);
  vertical->setValue(atEnd ? vertical->maximum() : top);
  horizontal->setValue(left);
}

bool Registro::save() {
  const TransferRecord* chosen = transferAt(transfers_->currentIndex());
  if (!chosen) return false;
  const TransferRecord& transfer = *chosen;
  const QString path = logPath(services_.context.programDir, transfer);
  const TextTables* texts = &services_.context.texts;
  QString error;
  if (!writeTextFileAtomic(path, formatTransferLog(transfer).replace('\n', QStringLiteral("\r\n")),
                           &error)) {
    services_.messages.show(MessageIcon::Exclamation,
                            extraText(texts, extra::WriteFailed)
                                .arg(QDir::toNativeSeparators(path),
                                     writeFailureReason(texts, path, error)),
                            extraText(texts, extra::WriteFailedTitle));
    return false;
  }
  status_->setText(extraText(texts, extra::LogSaved).arg(QDir::toNativeSeparators(path)));
  return true;
}

}  // namespace orvex
