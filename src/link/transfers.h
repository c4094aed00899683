#pragma once
#include <QObject>
#include <QString>

#include <functional>
#include <utility>

#include "common/messageboxes.h"
#include "common/parameterset.h"
#include "common/texttables.h"
#include "common/valuesorigin.h"
#include "link/framelayer.h"
#include "link/framelog.h"
#include "link/transferview.h"

namespace orvex {

// Reading the configuration of the instrument on one port, and writing one into it, with the
// model and identity checks, over the frame layer: one controller's transfers, with the
// state of their exchanges (the frame layer's reply, the direction shown, IdentityFailed).
//
// Both dialogues run from their start to their last step, the waits handing control to the
// event loop. One runs at a time: a second one asked for meanwhile does not start (a read
// and a write on one port at once would interleave their frames); transferStarted and
// transferEnded let the windows hold their buttons for the time.
//
// Beyond the step lists: a port that is absent or will not open ends the dialogue with one
// message; a port lost mid-transfer ends it at once with one message (no attempts burnt on
// a dead port); a write that stops part-way says so; a write is called verified only after
// a complete read-back matched it; a read changes ConfigLeida only once it has succeeded as
// a whole; a hold after an identification failure is told, not silent; a transfer keeps its
// port open from its first request to its last (a write's reset pause and read-back
// included, so that no other program can take the port in between; a repeated attempt drops
// what is left on the line instead of closing and reopening) and closes it at the end; a
// refused request (exception reply) ends its step at once, as a repeat would only be refused
// again. GrabQVT's Cancel, and the program's exit, stop a read or a comparison at once and a
// write until its first register goes out; from then on the write runs to its end.
class InstrumentTransfers : public QObject {
  Q_OBJECT
 public:
  using ViewSource = std::function<TransferView*()>;  // GrabQVT, created on first use
  // How many steps a read and a write show (TransferView::setStep), for a progress bar.
  static constexpr int kReadSteps = 70;
  static constexpr int kWriteSteps = 265;

  InstrumentTransfers(const TextTables& texts, SerialPort& port, EventWaiter& waiter,
                      MessageBoxes& messages, ViewSource view = {}, QObject* parent = nullptr);

  // ReadFromInstrument ("Lee QVT", the comparison's read): *set changes only when the whole
  // configuration was read (slots beyond the block keep their values). False when it was not
  // (the user has been told why), when cancelled or when another transfer is running.
  bool readConfiguration(ParameterSet* set);
  // WriteToInstrument: writes `set`, resets the instrument and reads it back into *readBack
  // (ConfigLeida). True only when the complete read-back matched every slot written.
  bool writeConfiguration(const ParameterSet& set, ParameterSet* readBack);
  // The program is about to end: a transfer is cancelled where Cancel is allowed; a write
  // past its first register (cutting it off would leave a partial configuration in the
  // instrument) runs to its end under a notice that the user must wait.
  void onAboutToUnload();
  // GrabQVT's Cancel (or its close control).
  void onCancelRequested();
  // An interruption from outside (the command line's Ctrl-C). The first stops the transfer
  // where Cancel would, but a write that has begun its register writes runs to its end
  // (WriteRunsOn); any further one stops even that write at once. A transfer stopped so
  // tells what the controller holds. Before a transfer begins, it is stopped at its start.
  enum class Interruption { Stopped, WriteRunsOn };
  Interruption interrupt();

  bool running() const { return running_ != Kind::None; }
  // Once an identification failed, reads and writes are held until the program restarts.
  bool identityFailed() const { return identityFailed_; }
  // The language changed: the progress window tells its title, phase and step again in it.
  void retell();
  // The last complete read of the controller (kind Editor: none yet).
  const ValuesOrigin& lastRead() const { return lastRead_; }
  // The frames, verdicts and messages of the last transfers.
  const FrameLog& log() const { return log_; }
  void setLogSink(FrameLog::Sink sink) { log_.setSink(std::move(sink)); }

 signals:
  void transferStarted();    // the port is taken
  void configurationRead();  // a read (also a write's read-back) got the whole configuration
  void transferEnded();      // the port is free again

 private:
  enum class Kind { None, Read, Write };

  bool beginTransfer(Kind kind, const QString& title);
  void endTransfer(TransferOutcome outcome);
  TransferOutcome readOutcome(bool read) const;
  TransferOutcome writeOutcome(bool verified) const;
  void allowCancel(bool allowed);
  void tellWhatIsHeld(TransferOutcome outcome);

  void setDirection(TransferDirection direction);
  void announceModelCheck();
  bool passModelCheck();
  void finishDialogue();
  // Read steps
  bool readInto(ParameterSet* target);
  bool runRead(ParameterSet* target);
  bool checkModel(int* model);
  bool readBlock();
  bool storeBlock(const Reply& reply, ParameterSet* set);
  bool passIdentity(const Request& request);
  bool checkIdentity(const Request& request);
  // Write steps
  bool runWrite(ParameterSet* readBack);
  bool writeSlots();
  bool writeSlot(int slot, int* communicationFailures);
  bool resetInstrument();
  bool resetAndReadBack(ParameterSet* readBack);
  bool compareReadBack(const ParameterSet& readBack);

  // Exchanges and waits; false once the dialogue must stop (cancelled or port lost).
  bool exchange(const Request& request);
  bool pause(double seconds);
  bool interrupted() const;
  bool openPort();
  void closePort();
  void reportLostPort(int failedSlot = 0);
  void showCommunicationFailure(int crcPrompt, int timeoutPrompt, const QString& slot = {},
                                const QString& left = {});
  QString writtenSoFar(int slot) const;
  const Reply& reply() const { return layer_.reply(); }
  QString refusal();

  QString message(int n) const;
  QString extraText(int n) const;
  void show(MessageIcon icon, const QString& prompt, const QString& title);
  TransferView* view() const;
  // A text of the progress window as it was composed: message texts, each followed by a
  // literal (a number, or nothing), kept so that it can be composed again in another language.
  using ProgressText = QList<std::pair<int, QString>>;
  QString compose(const ProgressText& text) const;
  void showTitle(int text);
  void phase(int text, PhaseColour colour);
  void phase(const ProgressText& text, PhaseColour colour);
  void step(int text) { step(ProgressText{{text, {}}}); }
  void step(const ProgressText& text);
  void appendToStep(int text);

  const TextTables& texts_;
  SerialPort& port_;
  MessageBoxes& messages_;
  EventWaiter& waiter_;
  ViewSource view_;
  FrameLayer layer_;
  Kind running_ = Kind::None;
  ParameterSet written_;  // ConfigEditada, as it was when the write began
  bool identityFailed_ = false;
  ValuesOrigin lastRead_;
  bool unloading_ = false;
  bool cancellable_ = false;
  int interruptions_ = 0;
  QString lostReason_;  // the port failed during this transfer
  bool lostReported_ = false;
  bool unverified_ = false;  // in the read-back of a write: failures leave it unverified
  int failedSlot_ = 0;       // the write stopped at this slot
  bool everySlotWritten_ = false;
  int refusalCode_ = -1;  // a refused request ended a step with this exception code
  FrameLog log_;
  ProgressText title_;
  ProgressText phase_;
  PhaseColour phaseColour_ = PhaseColour::Green;
  ProgressText step_;
};

}  // namespace orvex
