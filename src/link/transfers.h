#pragma once
#include <QObject>
#include <QString>

#include <functional>

#include "common/messageboxes.h"
#include "link/instrumentreader.h"
#include "config/parameterset.h"
#include "link/framelayer.h"
#include "link/framelog.h"
#include "link/transferview.h"

namespace orvex {

struct ProgramContext;
class EditorAccess;

// The write-single-register frame for one slot: "3706", register, 16-bit value, CRC.
QString registerWriteFrame(int slot, qint16 value);

// Reading the instrument's configuration into ConfigLeida and writing ConfigEditada into
// it, with the model and identity checks, over the frame layer on the program's port.
//
// Both dialogues run from their button's handler to their last step, the waits handing
// control to the event loop. While either runs, Lee QVT and Graba QVT are both held
// disabled: a read and a write on one port at once would interleave their frames.
//
// Beyond the step lists: a port that is absent or will not open ends the dialogue with one
// message; a port lost mid-transfer ends it at once with one message (no attempts burnt on
// a dead port); a write that stops part-way says so; a write is called verified only after
// a complete read-back matched it; a read changes ConfigLeida only once it has succeeded as
// a whole; a hold after an identification failure is told, not silent; the port is always
// closed at the end; a refused request (exception reply) ends its step at once, as a
// repeat would only be refused again. GrabQVT's Cancel, and the program's exit, stop a read
// or a comparison at once and a write until its first register goes out; from then on the
// write runs to its end.
class InstrumentTransfers : public QObject, public InstrumentReader {
  Q_OBJECT
 public:
  struct Peers {
    std::function<TransferView*()> view;    // GrabQVT
    std::function<EditorAccess*()> editor;  // ConfigQVT
  };

  InstrumentTransfers(ProgramContext& context, SerialPort& port, EventWaiter& waiter,
                      MessageBoxes& messages, Peers peers, QObject* parent = nullptr);

  // Command4 ("Lee QVT"): ReadFromInstrument, then ShowParameterSet whatever the outcome.
  void onReadRequested();
  // Command5 ("Graba QVT"), after the editor collected its controls: WriteToInstrument.
  void onWriteRequested();
  // The program is about to end: a transfer is cancelled where Cancel is allowed; a write
  // past its first register (cutting it off would leave a partial configuration in the
  // instrument) runs to its end under a notice that the user must wait.
  void onAboutToUnload();
  // GrabQVT's Cancel (or its close control).
  void onCancelRequested();
  // The comparison's read (InstrumentReader).
  bool readConfiguration(ParameterSet* set) override;
  // Writes `set` as ConfigEditada, without collecting an editor (the command line): true
  // only when verified by the read-back.
  bool writeConfiguration(const ParameterSet& set);

  bool running() const { return running_ != Kind::None; }
  // The language changed: the progress window tells its title, phase and step again in it.
  void retell();
  // The frames, verdicts and messages of the last transfers.
  const FrameLog& log() const { return log_; }

  // True when the whole configuration was read into ConfigLeida; a failed read changes nothing.
  bool readFromInstrument();
  // True only when a complete read-back matched every slot written.
  bool writeToInstrument();
  void checkIdentityA();
  void checkIdentityB();

 signals:
  void transferEnded();  // the port is free again

 private:
  enum class Kind { None, Read, Write };

  bool beginTransfer(Kind kind, const QString& title);
  void endTransfer(TransferOutcome outcome);
  TransferOutcome readOutcome(bool read) const;
  TransferOutcome writeOutcome(bool verified) const;
  void holdTransferButtons(bool hold);
  void allowCancel(bool allowed);

  void announceModelCheck();
  bool passModelCheck();
  void finishDialogue();
  // Read steps
  bool readInto(ParameterSet* target);
  bool runRead(ParameterSet* target);
  bool checkModel(int* model);
  bool readBlock();
  bool storeBlock(const QString& reply, ParameterSet* set);
  bool passIdentity(const QString& request);
  bool checkIdentity(const QString& request);
  // Write steps
  bool writeEditedSet();
  bool runWrite();
  bool writeSlots();
  bool writeSlot(int slot, int* communicationFailures);
  bool resetInstrument();
  bool resetAndReadBack();
  bool compareReadBack();

  // Exchanges and waits; false once the dialogue must stop (cancelled or port lost).
  bool exchange(const QString& request, int registerCount);
  bool pause(double seconds);
  bool interrupted() const;
  bool openPort();
  void closePort();
  void reportLostPort(int failedSlot = 0);
  void showCommunicationFailure(int crcPrompt, int timeoutPrompt, const QString& slot = {},
                                const QString& left = {});
  QString writtenSoFar(int slot) const;
  bool refused() const;
  QString refusal();

  const QString& message(int n) const;
  const QString& extraText(int n) const;
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

  ProgramContext& context_;
  SerialPort& port_;
  MessageBoxes& messages_;
  EventWaiter& waiter_;
  Peers peers_;
  FrameLayer layer_;
  Kind running_ = Kind::None;
  bool unloading_ = false;
  bool cancellable_ = false;
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
