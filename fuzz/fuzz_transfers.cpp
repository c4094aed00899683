// The read and write dialogues against an instrument whose every reply is fuzzed: each
// request written gets the next scripted reply, delivered over the in-memory port in
// virtual time (a whole write with its 20 s reset pause takes no real time).
//
// Input: a mode byte (0x01: write, else read; 0x02: a second transfer of the same kind
// follows in the session, held when the first one's identification failed; 0x04: USB
// bursts of 16 ms; 0x08: orvex-cli's way, with the command line's progress board and
// messages, where the windowed program's are the progress window's and message boxes),
// then one script per request: a delay byte
// (d^2 x 100 us after the request), a flags byte, a length byte and that many bytes.
// Flags: 0x01 append the bytes' valid CRC, 0x02 split: the second half follows the first
// after the same delay, 0x04 lose the port after the reply, 0x08 close the program after
// the reply (the windowed program only).
// Requests after the end of the input get no reply.
#include <algorithm>
#include <cstdio>

#include "cli/progress.h"
#include "fuzzsupport.h"
#include "link/checksum.h"
#include "link/framelayer.h"
#include "link/transferrig.h"

using namespace orvex;
using fuzz::expect;

namespace {

enum Flag : quint8 { kAppendCrc = 0x01, kSplit = 0x02, kLosePort = 0x04, kCloseProgram = 0x08 };

// Answers each request written with the next script of the input.
class ScriptedPort : public test::InMemorySerialPort {
 public:
  ScriptedPort(test::VirtualTimeWaiter& clock, fuzz::InputCursor& in)
      : InMemorySerialPort(clock), clock_(clock), in_(in) {}

  std::function<void()> onProgramClose;
  qint64 burstUs = 0;  // USB adapter bursts

  bool write(const QByteArray& bytes) override {
    if (!InMemorySerialPort::write(bytes)) return false;
    if (!in_.atEnd()) scheduleReply(clock_.nowUs() + bytes.size() * characterTimeUs());
    return true;
  }

 private:
  void scheduleReply(qint64 requestEndUs) {
    const qint64 delay = in_.delayUs();
    const quint8 flags = in_.byte();
    QByteArray reply = in_.takeCounted();
    if (flags & kAppendCrc) reply = withCrc(reply);
    const qsizetype half = flags & kSplit ? reply.size() / 2 : reply.size();
    qint64 at = deliver(requestEndUs + delay, reply.left(half));
    at = deliver(at + (flags & kSplit ? delay : 0), reply.mid(half));
    if (flags & kLosePort) clock_.at(at, [this] { loseWhileOpen(QStringLiteral("unplugged")); });
    if (flags & kCloseProgram) clock_.at(at, [this] { onProgramClose(); });
  }
  // Byte by byte at the line's pace, as the wire brings them; returns when the last is in.
  qint64 deliver(qint64 startUs, const QByteArray& bytes) {
    qint64 at = startUs;
    for (qsizetype i = 0; i < bytes.size(); ++i)
      receiveAt(fuzz::handedOverUs(at += characterTimeUs(), burstUs), bytes.mid(i, 1));
    return at;
  }

  test::VirtualTimeWaiter& clock_;
  fuzz::InputCursor& in_;
};

// What the editor holds for a write: slot k = k, the model slot aside.
ParameterSet editedSet() {
  ParameterSet set;
  for (int k = kFirstSlot; k <= kLastSlot; ++k) set[k] = static_cast<qint16>(k);
  return set;
}

bool sameConfiguration(const ParameterSet& a, const ParameterSet& b) {
  for (int k = kFirstSlot; k <= kLastSlot; ++k)
    if (k != kModelSlot && a[k] != b[k]) return false;
  return true;
}

std::FILE* nowhere() {
  static std::FILE* file = std::fopen("/dev/null", "w");
  return file;
}

struct Rig {
  Rig(fuzz::InputCursor& in, bool commandLine)
      : port(clock, in),
        transfers(texts, port, clock, commandLine ? static_cast<MessageBoxes&>(board) : recorded,
                  [this, commandLine]() -> TransferView* {
                    return commandLine ? &boardView : nullptr;
                  }) {
    test::fillNumberedTexts(&texts);
    port.onProgramClose = [this, commandLine] {
      closing = !commandLine;
      if (closing) transfers.onAboutToUnload();
    };
  }
  QStringList told() const { return recorded.calls.isEmpty() ? boardTold : recorded.shown(); }

  test::VirtualTimeWaiter clock;
  ScriptedPort port;
  TextTables texts;
  test::RecordingMessageBoxes recorded;
  cli::ProgressBoard progress{{QStringLiteral("COM1")},
                              cli::ProgressMode::Lines,
                              cli::TransferKind::Write,
                              nullptr,
                              nowhere()};
  QStringList boardTold;
  cli::BoardMessages board{progress, QStringLiteral("COM1"), &boardTold};
  cli::BoardView boardView{progress, QStringLiteral("COM1")};
  InstrumentTransfers transfers;
  bool closing = false;  // the windowed program was closed: a cancel is told by no word
};

void checkEnded(const Rig& rig, bool succeeded) {
  expect(!rig.port.isOpen(), "the port is closed at the end");
  expect(!rig.transfers.running(), "the port is free again");
  // A success is told by no word; only a port lost after the last exchange is said.
  const QStringList told = rig.told();
  if (succeeded)
    expect(told.isEmpty() || (told.size() == 1 && told[0].contains("lost: ")),
           "a success is told by no word");
  else expect(rig.closing || !rig.told().isEmpty(), "a failure is told");
}

// A result with no word, or a word and no result.
void runRead(Rig& rig) {
  ParameterSet set;
  set.slot.fill(-7);
  const ParameterSet before = set;
  const bool read = rig.transfers.readConfiguration(&set);
  checkEnded(rig, read);
  expect(rig.recorded.calls.size() <= 1, "a read ends with one message at most");
  if (!read) expect(set == before, "a failed read changes nothing");
  for (int k = kLastSlot + 1; k < int(set.slot.size()); ++k)
    expect(set[k] == -7, "slots beyond the block are never read");
}

// Verified (read back the same) without a word, or told why not.
void runWrite(Rig& rig) {
  ParameterSet readBack;
  const qsizetype sentBefore = rig.port.written().size();
  const bool verified = rig.transfers.writeConfiguration(editedSet(), &readBack);
  checkEnded(rig, verified);
  if (verified) expect(sameConfiguration(readBack, editedSet()), "verified means read back");
  // The program's closing stops a write only before its first register: nothing changed.
  const auto registerWrite = [](const QByteArray& frame) {
    return frame.size() > 1 && frame[1] == 0x06;
  };
  if (!verified && rig.told().isEmpty())
    expect(std::none_of(rig.port.written().begin() + sentBefore, rig.port.written().end(),
                        registerWrite),
           "stopped at closing before any register");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputCursor in(fuzz::inputBytes(data, size));
  const quint8 mode = in.byte();
  const bool commandLine = mode & 0x08;
  Rig rig(in, commandLine);
  if (mode & 0x04) rig.port.burstUs = 16'000;
  const auto run = mode & 0x01 ? runWrite : runRead;
  run(rig);
  if (!(mode & 0x02) || rig.closing) return 0;
  rig.recorded.calls.clear();
  rig.boardTold.clear();
  run(rig);
  return 0;
}
