#include "editorwrites.h"

#include <QDir>

#include <algorithm>

#include "common/ui/appservices.h"
#include "history/copiedwrite.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "lang/writefailure.h"
#include "link/serialport.h"
#include "link/transfers.h"

namespace orvex {
namespace {

quint64 lastTransferId(const InstrumentTransfers& transfers) {
  return transfers.log().isEmpty() ? 0 : transfers.log().last().id;
}

// A read cancelled, cut off by the program's end, held after a failed identification, or
// one whose port would not open: the write would not go out either.
bool writeWouldStopToo(const InstrumentTransfers& transfers) {
  if (transfers.log().isEmpty() || transfers.identityFailed()) return true;
  const TransferRecord& read = transfers.log().last();
  if (read.outcome == TransferOutcome::Cancelled) return true;
  return std::any_of(read.frames.begin(), read.frames.end(), [](const FrameRecord& frame) {
    return frame.verdict == FrameVerdict::Port &&
           frame.note.contains(QLatin1String(" not opened: "));
  });
}

}  // namespace

EditorWrites::EditorWrites(AppServices& services, QObject* parent)
    : QObject(parent), services_(services) {}

void EditorWrites::write() {
  InstrumentTransfers* transfers = services_.transfers;
  if (!transfers || transfers->running()) return;
  const ProgramContext& context = services_.context;
  CopiedWrite copy(context.programDir, portName(*services_.port),
                   editorSource(context.editorOrigin, context.configEditada),
                   context.configEditada);
  const bool write = keepCopyOrConsent(copy);
  const quint64 copied = lastTransferId(*transfers);
  if (write) {
    lastWriteBegan_ = copy.began();
    emit services_.events.writeNowRequested();
  }
  record(copy, copied);
}

// A read that failed where the write would fail too asks nothing.
bool EditorWrites::keepCopyOrConsent(CopiedWrite& copy) {
  InstrumentTransfers& transfers = *services_.transfers;
  const ProgramContext& context = services_.context;
  ParameterSet held;
  bool read = readStandsAsCopy(context.lastRead, copy.entry().port, lastWriteBegan_, copy.began());
  if (read) {
    held = context.lastRead.set;
  } else {
    read = transfers.readConfiguration(&held);
    if (!read && writeWouldStopToo(transfers)) return false;
  }
  QString why = text(extra::CopyNotRead);
  if (read) {
    QString error;
    if (copy.keepBefore(held, &error)) return true;
    why = copyNotKeptReason(&context.texts, context.programDir, error);
  }
  return consentWithoutCopy(why);
}

bool EditorWrites::consentWithoutCopy(const QString& why) {
  const QString prompt =
      text(extra::CopyNotKept).arg(why) + QStringLiteral("\n\n") + text(extra::AskWithoutCopy);
  return services_.messages.show(MessageIcon::Exclamation, prompt, text(extra::CopyTitle),
                                 MessageButtons::YesNoDefaultNo) == MessageAnswer::Yes;
}

// The write's outcome is that of the transfer begun after `writeAfter`; none: nothing written.
void EditorWrites::record(CopiedWrite& copy, quint64 writeAfter) {
  const InstrumentTransfers& transfers = *services_.transfers;
  TransferOutcome outcome = TransferOutcome::WriteFailedUnchanged;
  int slot = 0;
  if (lastTransferId(transfers) > writeAfter) {
    outcome = transfers.log().last().outcome;
    slot = transfers.log().last().slot;
  }
  QString file;
  QString error;
  if (!copy.record(services_.port->deviceName(), outcome, slot, &file, &error)) {
    const TextTables* texts = &services_.context.texts;
    services_.messages.show(MessageIcon::Exclamation,
                            text(extra::WriteFailed)
                                .arg(QDir::toNativeSeparators(file),
                                     writeFailureReason(texts, file, error)),
                            text(extra::WriteFailedTitle));
  }
  emit services_.events.historyChanged();
}

QString EditorWrites::text(int item) const { return extraText(&services_.context.texts, item); }

}  // namespace orvex
