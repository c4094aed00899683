#pragma once
#include <QStringList>

#include <array>
#include <functional>

#include "common/context.h"
#include "lang/extratexts.h"
#include "link/transfers.h"
#include "sim/instrumentmodel.h"
#include "support/servicesfixture.h"
#include "testing/inmemoryserialport.h"

namespace orvex::test {

// Message texts are their numbers ("m7 "), so prompts and steps tell which text was used.
inline void fillNumberedTexts(TextTables* texts) {
  for (int n = 1; n <= 48; ++n) texts->message[n] = QStringLiteral("m%1 ").arg(n);
  texts->message[13] = " OK";
  texts->message[24] = texts->message[30] = " = ";
  const std::pair<int, const char*> extras[] = {{extra::PortErrorTitle, "port"},
                                                {extra::PortOpenFailed, "cannot open %1: %2"},
                                                {extra::PortLost, "lost: %1"},
                                                {extra::PartialWrite, "partial at %1"},
                                                {extra::TransferBusyTitle, "busy"},
                                                {extra::TransferBusy, "wait"},
                                                {extra::NotVerifiedTitle, "unverified"},
                                                {extra::NotVerified, "not verified"},
                                                {extra::PortAbsent, "absent %1"},
                                                {extra::IdentityBlocked, "blocked"},
                                                {extra::PortNoPermission,
                                                 "no permission: %1, group %2"},
                                                {extra::SlotInDoubt, "in doubt at %1"},
                                                {extra::FirstSlotInDoubt, "may hold changes %1"},
                                                {extra::Refused, "refused %1"},
                                                {extra::CannotCancel, "cannot stop"},
                                                {extra::StoppedNothingWritten, "nothing written"},
                                                {extra::PortBusy, "busy %1"},
                                                {extra::PortNotSerial, "not serial %1"},
                                                {extra::PortRefused, "refused"},
                                                {extra::PortUnplugged, "unplugged"}};
  for (const auto& [n, text] : extras) texts->extra[n] = text;
}

// Records what a transfer shows ("title m28 ", "phase red m5 ", "step m6 1 = 7");
// `onChange` sees each change as it happens.
class RecordingView : public TransferView {
 public:
  void showProgress() override { visible = true; }
  void hideProgress() override { visible = false; }
  void setTitle(const QString& text) override { record("title " + text); }
  void setPhase(const QString& text, PhaseColour colour) override {
    record(QStringLiteral("phase %1 ").arg(QStringList{"green", "cyan", "red"}[int(colour)]) +
           text);
  }
  void setStep(const QString& text) override { record("step " + (step = text)); }
  void appendToStep(const QString& text) override { setStep(step + text); }
  void setCancellable(bool allowed) override { cancellable = allowed; }
  void setDirection(TransferDirection shown) override { direction = shown; }

  QStringList log;
  QString step;
  bool visible = false;
  bool cancellable = false;
  TransferDirection direction = TransferDirection::FromInstrument;
  std::function<void(const QString&)> onChange;

 private:
  void record(const QString& entry) {
    log << entry;
    if (onChange) onChange(entry);
  }
};

// The services, with an in-memory port serving the instrument model on the virtual clock.
struct LinkBench : ProgramDirFixture {
  VirtualTimeWaiter clock;
  InMemorySerialPort port{clock};
  sim::InstrumentModel instrument;

  explicit LinkBench(bool withDeliveredData = false)
      : ProgramDirFixture(withDeliveredData, &port, &clock) {
    port.attachInstrument(&instrument);
    fillNumberedTexts(&context.texts);
  }
  ~LinkBench() { windows.unloadAll({}); }  // before the port goes
};

// The transfers alone, with a recording view; reads and read-backs go into ConfigLeida.
struct TransferRig : LinkBench {
  RecordingView view;
  InstrumentTransfers transfers{context.texts, port, clock, messages, [this] { return &view; }};
  int started = 0;  // transferStarted signals
  int ended = 0;

  TransferRig() {
    QObject::connect(&transfers, &InstrumentTransfers::transferStarted, [this] { ++started; });
    QObject::connect(&transfers, &InstrumentTransfers::transferEnded, [this] { ++ended; });
  }
  bool read() { return transfers.readConfiguration(&context.configLeida); }
  bool write(const ParameterSet& set) {
    return transfers.writeConfiguration(set, &context.configLeida);
  }

  // Runs `action` once, at the first change of the view starting with `prefix`.
  void onEntry(const QString& prefix, std::function<void()> action) {
    view.onChange = [this, prefix, action](const QString& entry) {
      if (!entry.startsWith(prefix)) return;
      const auto run = action;  // it may install the next one
      view.onChange = nullptr;
      run();
    };
  }
  int sent(const Request& request) const { return int(port.written().count(request.bytes())); }
  int registerWrites() const {  // 06 frames but the reset
    return int(std::count_if(port.written().begin(), port.written().end(), [](const QByteArray& f) {
      return f.at(1) == 0x06 && f.at(3) != 0x63;
    }));
  }
};

}  // namespace orvex::test
