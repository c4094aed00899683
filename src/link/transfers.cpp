#include "transfers.h"

#include <utility>

#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "link/eventwaiter.h"
#include "link/framelog.h"
#include "link/portfailure.h"
#include "link/serialport.h"

namespace orvex {
namespace {

constexpr int kBlockRegisters = 63;
const Request kModelRequest{0x03, 0x002D, 1};
const Request kIdentityARequest{0x02, 0x0021, 0};
const Request kBlockRequest{0x05, 0x0001, kBlockRegisters};
const Request kIdentityBRequest{0x02, 0x0000, 0};
const Request kResetRequest{0x06, 0x0063, 0x270F};
constexpr int kRepeatsAfterFailure = 5;  // six attempts in all
constexpr int kIdentityMismatchesAllowed = 3;
constexpr int kWriteMismatchesAllowed = 3;

// The write-single-register request for one slot.
Request registerWrite(int slot, qint16 value) {
  return {0x06, static_cast<quint16>(slot), static_cast<quint16>(value)};
}

}  // namespace

InstrumentTransfers::InstrumentTransfers(const TextTables& texts, SerialPort& port,
                                         EventWaiter& waiter, MessageBoxes& messages,
                                         ViewSource view, QObject* parent)
    : QObject(parent),
      texts_(texts),
      port_(port),
      messages_(messages),
      waiter_(waiter),
      view_(std::move(view)),
      layer_(port, waiter) {
  layer_.setLog(&log_);
  connect(&port_, &SerialPort::failed, this, [this](const QString& reason) {
    if (!running()) return;
    lostReason_ = reason.isEmpty() ? QStringLiteral("?") : reason;
    log_.port(QStringLiteral("lost: ") + lostReason_, waiter_.nowUs());
  });
}

// --- the two dialogues

bool InstrumentTransfers::readConfiguration(ParameterSet* set) {
  if (!beginTransfer(Kind::Read, QStringLiteral("read"))) return false;
  ParameterSet read = *set;
  const bool complete = readInto(&read) && !layer_.isCancelled();
  endTransfer(readOutcome(complete));
  if (complete) *set = read;
  return complete;
}

bool InstrumentTransfers::writeConfiguration(const ParameterSet& set, ParameterSet* readBack) {
  if (!beginTransfer(Kind::Write, QStringLiteral("write"))) return false;
  written_ = set;
  if (TransferView* v = view()) v->showProgress();
  showTitle(1);
  announceModelCheck();
  const bool verified = runWrite(readBack);
  finishDialogue();
  endTransfer(writeOutcome(verified));
  return verified;
}

// A write whose registers are going out runs on under the notice: a modal box opened inside
// its waits would hold them up until closed. Its outcome is told as always.
void InstrumentTransfers::onAboutToUnload() {
  if (std::exchange(unloading_, true) || !running()) return;
  if (cancellable_) {
    layer_.cancel();
    return;
  }
  messages_.showNotice(MessageIcon::Information, extraText(extra::TransferBusy),
                       extraText(extra::TransferBusyTitle));
}

void InstrumentTransfers::onCancelRequested() {
  if (running() && cancellable_) layer_.cancel();
}

InstrumentTransfers::Interruption InstrumentTransfers::interrupt() {
  ++interruptions_;
  if (running() && !cancellable_ && interruptions_ == 1) return Interruption::WriteRunsOn;
  layer_.cancel();
  return Interruption::Stopped;
}

// Said once a transfer was cut short by an interruption; a write that ran on to its end
// tells its own outcome.
void InstrumentTransfers::tellWhatIsHeld(TransferOutcome outcome) {
  if (interruptions_ == 0 || !layer_.isCancelled()) return;
  const QString title = message(running_ == Kind::Write ? 1 : 28);
  if (outcome == TransferOutcome::NotVerified) {
    show(MessageIcon::Critical, extraText(extra::NotVerified), extraText(extra::NotVerifiedTitle));
  } else if (outcome == TransferOutcome::WriteFailedAtSlot) {
    const int text = failedSlot_ == kFirstSlot ? extra::FirstSlotInDoubt : extra::SlotInDoubt;
    show(MessageIcon::Critical, extraText(text).arg(failedSlot_), title);
  } else {
    show(MessageIcon::Information, extraText(extra::StoppedNothingWritten), title);
  }
}

void InstrumentTransfers::allowCancel(bool allowed) {
  cancellable_ = allowed;
  if (TransferView* v = view()) v->setCancellable(allowed);
}

bool InstrumentTransfers::beginTransfer(Kind kind, const QString& title) {
  if (running() || unloading_) return false;
  closePort();  // opened afresh, with the settings of now
  log_.beginTransfer(title, portName(port_), waiter_.nowUs());
  running_ = kind;
  failedSlot_ = 0;
  everySlotWritten_ = false;
  refusalCode_ = -1;
  lostReason_.clear();
  lostReported_ = false;
  layer_.clearPortFailure();
  if (interruptions_ == 0) layer_.resume();  // after a cancelled transfer
  allowCancel(true);
  emit transferStarted();
  return true;
}

// The port is closed whatever the outcome (after a write too, so another program can use it).
void InstrumentTransfers::endTransfer(TransferOutcome outcome) {
  tellWhatIsHeld(outcome);
  closePort();
  log_.endTransfer(outcome, failedSlot_, refusalCode_);
  if (unloading_) messages_.closeNotice();
  running_ = Kind::None;
  emit transferEnded();
}

TransferOutcome InstrumentTransfers::readOutcome(bool read) const {
  if (layer_.isCancelled()) return TransferOutcome::Cancelled;
  return read ? TransferOutcome::ReadComplete : TransferOutcome::ReadFailed;
}

// Cancel stops a write only before its first register goes out: nothing changed then. A
// second interruption stops it anywhere: what was written counts first.
TransferOutcome InstrumentTransfers::writeOutcome(bool verified) const {
  if (verified) return TransferOutcome::Verified;
  if (everySlotWritten_) return TransferOutcome::NotVerified;
  if (failedSlot_ > 0) return TransferOutcome::WriteFailedAtSlot;
  return layer_.isCancelled() ? TransferOutcome::Cancelled : TransferOutcome::WriteFailedUnchanged;
}

// --- reading

bool InstrumentTransfers::readInto(ParameterSet* target) {
  if (TransferView* v = view()) v->showProgress();
  phase(19, PhaseColour::Green);
  step(20);
  showTitle(28);
  announceModelCheck();
  const bool read = runRead(target);
  finishDialogue();
  return read;
}

// *target changes only once the whole configuration is in and both identity checks passed;
// a read that stops anywhere before leaves it as it was.
bool InstrumentTransfers::runRead(ParameterSet* target) {
  if (!passModelCheck() || !pause(2) || !passIdentity(kIdentityARequest)) return false;
  setDirection(TransferDirection::FromInstrument);
  phase(19, PhaseColour::Green);
  ParameterSet read = *target;  // slots beyond the block keep their values
  if (!readBlock() || !storeBlock(reply(), &read) || !passIdentity(kIdentityBRequest)) return false;
  *target = read;
  lastRead_ = {ValuesOrigin::Kind::Controller, portName(port_), QDateTime::currentDateTime(), read};
  emit configurationRead();
  step(33);
  pause(2);  // the configuration is in whatever happens to the port now
  return true;
}

void InstrumentTransfers::setDirection(TransferDirection direction) {
  if (TransferView* v = view()) v->setDirection(direction);
}

void InstrumentTransfers::announceModelCheck() {
  setDirection(TransferDirection::ToInstrument);
  phase(2, PhaseColour::Cyan);
  step(3);
}

// After a second's pause; shows the model read once it is the right one.
bool InstrumentTransfers::passModelCheck() {
  int model = 0;
  if (!pause(1) || !checkModel(&model)) return false;
  step({{4, QString::number(model)}});
  return true;
}

// Every dialogue ends here (a write's read-back too) and the progress window goes; the port
// stays with the transfer until it ends.
void InstrumentTransfers::finishDialogue() {
  reportLostPort();
  if (TransferView* v = view()) v->hideProgress();
}

// A sound reply with another model code ends the dialogue at once, repeated failures after
// the sixth attempt. The port is opened once: a repeat starts on a quiet, emptied line (the
// frame layer's doing) instead of a reopened port, which another program could take first.
bool InstrumentTransfers::checkModel(int* model) {
  for (int failures = 0;;) {
    if ((!port_.isOpen() && !openPort()) || !exchange(kModelRequest)) return false;
    if (reply().sound()) {
      *model = static_cast<quint16>(reply().word(1));
      if (*model == 1) return true;
      show(MessageIcon::Information, message(16), message(17));
      return false;
    }
    if (reply().refused() || ++failures > kRepeatsAfterFailure) {
      showCommunicationFailure(14, 15);
      return false;
    }
  }
}

bool InstrumentTransfers::readBlock() {
  for (int failures = 0;;) {
    if (!exchange(kBlockRequest)) return false;
    if (reply().sound()) return true;
    if (reply().refused() || ++failures > kRepeatsAfterFailure) {
      showCommunicationFailure(31, 32);
      return false;
    }
  }
}

bool InstrumentTransfers::storeBlock(const Reply& reply, ParameterSet* set) {
  for (int i = 1; i <= kBlockRegisters; ++i) {
    const qint16 value = reply.word(i);
    (*set)[i] = value;
    step({{29, QString::number(i)}, {30, QString::number(value)}});
    if (!pause(0.05)) return false;
  }
  return true;
}

// The check, then the hold: a failure earlier in this session stops the dialogue even when
// the instrument answers rightly now, and the user is told why instead of seeing nothing.
bool InstrumentTransfers::passIdentity(const Request& request) {
  if (!checkIdentity(request)) return false;  // its message is shown
  if (!identityFailed_) return true;
  show(MessageIcon::Critical, extraText(extra::IdentityBlocked), message(44));
  return false;
}

// True when the instrument identified itself. The port is open from the caller's last
// step; requests follow each other at once.
bool InstrumentTransfers::checkIdentity(const Request& request) {
  int failures = 0;
  int mismatches = 0;
  while (exchange(request)) {
    if (!reply().sound()) {
      if (!reply().refused() && ++failures <= kRepeatsAfterFailure) continue;
      show(MessageIcon::Critical, message(43) + refusal(), message(44));
      identityFailed_ = true;
      return false;
    }
    failures = 0;
    if (reply().carriesIdentity()) return true;
    if (++mismatches > kIdentityMismatchesAllowed) {
      show(MessageIcon::Critical, message(45), message(46));
      identityFailed_ = true;
      return false;
    }
  }
  return false;
}

// --- writing

bool InstrumentTransfers::runWrite(ParameterSet* readBack) {
  if (!passModelCheck() || !passIdentity(kIdentityARequest)) return false;
  if (!pause(1) || !writeSlots()) return false;
  checkIdentity(kIdentityBRequest);  // whatever it finds, the write goes on
  if (!resetAndReadBack(readBack)) return false;
  if (TransferView* v = view()) v->showProgress();
  showTitle(21);
  phase(22, PhaseColour::Cyan);
  step(21);
  if (!compareReadBack(*readBack)) return false;
  step(27);
  pause(3);  // verified, whatever happens to the port now
  return true;
}

// From the first register on the write runs to its end: stopping would leave the
// controller half-written.
bool InstrumentTransfers::writeSlots() {
  allowCancel(false);
  int communicationFailures = 0;  // consecutive, across slots
  for (int i = kFirstSlot; i <= kLastSlot; ++i) {
    if (i != kModelSlot && !writeSlot(i, &communicationFailures)) {
      failedSlot_ = i;
      return false;
    }
  }
  everySlotWritten_ = true;
  return true;
}

// A write counts only when acknowledged with the identity code, not by an echo.
bool InstrumentTransfers::writeSlot(int slot, int* communicationFailures) {
  const qint16 value = written_[slot];
  phase(5, PhaseColour::Red);
  step({{6, QString::number(slot)}, {30, QString::number(value)}});
  const Request request = registerWrite(slot, value);
  for (int mismatches = 0;;) {
    if (!exchange(request)) {
      reportLostPort(slot);
      return false;
    }
    if (!reply().sound()) {
      if (!reply().refused() && ++*communicationFailures <= kRepeatsAfterFailure) continue;
      showCommunicationFailure(7, 9, QString::number(slot), writtenSoFar(slot));
      return false;
    }
    *communicationFailures = 0;
    if (reply().carriesIdentity()) break;
    if (++mismatches > kWriteMismatchesAllowed) {
      show(MessageIcon::Critical, message(11) + QString::number(slot) + writtenSoFar(slot),
           message(12));
      return false;
    }
  }
  appendToStep(13);
  return true;
}

// The reset gets no reply; the instrument restarts during the pause.
bool InstrumentTransfers::resetInstrument() {
  phase({{0, QStringLiteral("Reset")}}, PhaseColour::Cyan);
  layer_.send(kResetRequest);
  step(18);
  return pause(20);
}

// Every slot is written: a failure from here on (the port lost, a read-back that does not
// get the whole configuration) also says that the write stands unverified, and no
// comparison is made against what ConfigLeida held before.
bool InstrumentTransfers::resetAndReadBack(ParameterSet* readBack) {
  unverified_ = true;
  const bool read = !interrupted() && resetInstrument() && readInto(readBack);
  reportLostPort();
  unverified_ = false;
  return read;
}

bool InstrumentTransfers::compareReadBack(const ParameterSet& readBack) {
  for (int i = kFirstSlot; i <= kLastSlot; ++i) {
    if (i == kModelSlot) continue;
    if (written_[i] != readBack[i]) {
      show(MessageIcon::Information, message(25) + QString::number(i), message(26));
      return false;
    }
    step({{23, QString::number(i)}, {24, QString::number(readBack[i])}});
  }
  return true;
}

// --- link helpers

bool InstrumentTransfers::exchange(const Request& request) {
  layer_.send(request);
  layer_.receiveReply(request);
  return !interrupted();
}

bool InstrumentTransfers::pause(double seconds) {
  layer_.pause(seconds);
  return !interrupted();
}

bool InstrumentTransfers::interrupted() const {
  return layer_.isCancelled() || !lostReason_.isEmpty();
}

// Each attempt logs the device it opened (COMn is looked up again at every opening) or the
// system's own words for a refusal; the user is told the program's words.
bool InstrumentTransfers::openPort() {
  QString systemText;
  PortFailure failure = PortFailure::Absent;
  if (port_.isPresent()) {
    if (port_.open(&systemText)) {
      log_.port(QStringLiteral("opened ") + port_.deviceName(), waiter_.nowUs());
      layer_.clearPortFailure();
      return true;
    }
    failure = port_.openFailure();
  }
  log_.port(QStringLiteral("%1 not opened: %2")
                .arg(port_.deviceName(),
                     failure == PortFailure::Absent ? QStringLiteral("not present") : systemText),
            waiter_.nowUs());
  show(MessageIcon::Critical, portFailurePrompt(texts_, failure, port_),
       extraText(extra::PortErrorTitle));
  return false;
}

void InstrumentTransfers::closePort() {
  if (port_.isOpen()) port_.close();
}

void InstrumentTransfers::reportLostPort(int failedSlot) {
  if (lostReason_.isEmpty() || lostReported_ || layer_.isCancelled()) return;
  lostReported_ = true;
  QString prompt = portFailurePrompt(texts_, PortFailure::Lost, port_);
  if (failedSlot > 0) prompt += writtenSoFar(failedSlot);
  show(MessageIcon::Critical, prompt, extraText(extra::PortErrorTitle));
}

// What the controller holds once the write stopped at `slot`. The slots before are written.
// A refused write was not made; one whose acknowledgement was lost or wrong may have been.
QString InstrumentTransfers::writtenSoFar(int slot) const {
  int text = slot == kFirstSlot ? extra::FirstSlotInDoubt : extra::SlotInDoubt;
  if (reply().refused()) {
    if (slot == kFirstSlot) return {};
    text = extra::PartialWrite;
  }
  return QStringLiteral("\n\n") + extraText(text).arg(slot);
}

// The controller's exception reply that ended a step, told after the step's own message and
// kept for the frame log's outcome line.
QString InstrumentTransfers::refusal() {
  if (!reply().refused()) return {};
  refusalCode_ = reply().exceptionCode();
  return QStringLiteral("\n\n") + extraText(extra::Refused).arg(refusalCode_);
}

// The pair for a CRC error on the last attempt, or the one for a time-out (also after a
// refusal: no usable reply), with the slot and what the write left.
void InstrumentTransfers::showCommunicationFailure(int crcPrompt, int timeoutPrompt,
                                                   const QString& slot, const QString& left) {
  const bool crc = reply().status == kReplyCrcError;
  show(MessageIcon::Critical, message(crc ? crcPrompt : timeoutPrompt) + slot + refusal() + left,
       message(crc ? 8 : 10));
}

// --- texts and view

QString InstrumentTransfers::message(int n) const { return messageText(&texts_, n); }

QString InstrumentTransfers::extraText(int n) const { return orvex::extraText(&texts_, n); }

void InstrumentTransfers::show(MessageIcon icon, const QString& prompt, const QString& title) {
  log_.message(prompt, waiter_.nowUs());
  if (!unverified_) {
    messages_.show(icon, prompt, title);
    return;
  }
  messages_.show(MessageIcon::Critical,
                 prompt + QStringLiteral("\n\n") + extraText(extra::NotVerified),
                 extraText(extra::NotVerifiedTitle));
}

TransferView* InstrumentTransfers::view() const { return view_ ? view_() : nullptr; }

QString InstrumentTransfers::compose(const ProgressText& text) const {
  QString composed;
  for (const auto& [item, literal] : text)
    composed += (item > 0 ? message(item) : QString()) + literal;
  return composed;
}

void InstrumentTransfers::showTitle(int text) {
  title_ = {{text, {}}};
  if (TransferView* v = view()) v->setTitle(compose(title_));
}

void InstrumentTransfers::phase(int text, PhaseColour colour) { phase({{text, {}}}, colour); }

void InstrumentTransfers::phase(const ProgressText& text, PhaseColour colour) {
  phase_ = text;
  phaseColour_ = colour;
  if (TransferView* v = view()) v->setPhase(compose(phase_), colour);
}

void InstrumentTransfers::step(const ProgressText& text) {
  step_ = text;
  if (TransferView* v = view()) v->setStep(compose(step_));
}

void InstrumentTransfers::appendToStep(int text) {
  step_.append(std::pair<int, QString>(text, QString()));
  if (TransferView* v = view()) v->appendToStep(message(text));
}

// The texts were loaded in another language: what the progress window shows is composed
// again, its title included (the window's own caption from the text file replaced it).
void InstrumentTransfers::retell() {
  TransferView* v = running() ? view() : nullptr;
  if (!v) return;
  v->setTitle(compose(title_));
  v->setPhase(compose(phase_), phaseColour_);
  v->setStep(compose(step_));
}

}  // namespace orvex
