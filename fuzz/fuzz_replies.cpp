// The frame layer's wait for a reply: fuzzed bytes arrive over the in-memory port in
// virtual time, in pieces at fuzzed moments; the port may be lost on the way.
//
// Input: a byte choosing the register count (1 + b % 63), an options byte (0x01: USB
// bursts of 16 ms, 0x02: a second reply wait after the first), then pieces: a delay byte
// (d^2 x 100 us after the previous piece), a length byte and that many bytes; length 0
// loses the port at that moment.
#include "fuzzsupport.h"
#include "link/framelayer.h"
#include "link/testing/inmemoryserialport.h"
#include "link/testing/virtualtimewaiter.h"

using namespace orvex;
using fuzz::expect;

namespace {

struct Link {
  qint64 burstUs = 0;
  test::VirtualTimeWaiter clock;
  test::InMemorySerialPort port{clock};
  QString replyText;
  qint16 linkStatus = -1;
  FrameLayer layer{port, clock, replyText, linkStatus};
};

void scheduleArrivals(fuzz::InputCursor& in, Link& link) {
  qint64 at = 0;
  while (!in.atEnd()) {
    at += in.delayUs();
    const QByteArray piece = in.takeCounted();
    if (piece.isEmpty())
      link.clock.at(at, [&link] { link.port.loseWhileOpen(QStringLiteral("unplugged")); });
    else link.port.receiveAt(fuzz::handedOverUs(at, link.burstUs), piece);
  }
}

void checkOutcome(const Link& link, int registerCount, qint64 startUs) {
  expect(link.clock.nowUs() - startUs <= FrameLayer::timeLimitUs(registerCount),
         "a wait never outlasts its time limit");
  if (link.linkStatus == kReplyTimeout) {
    expect(link.replyText.isEmpty(), "a time-out keeps no partial reply");
    return;
  }
  QByteArray reply;
  expect(frameTextToBytes(link.replyText, &reply), "the reply text is hex");
  if (link.linkStatus == kReplyRefused) {
    expect(isExceptionReply(reply), "a refusal is an exception reply");
    return;
  }
  expect(link.linkStatus == kReplySound || link.linkStatus == kReplyCrcError, "a known status");
  expect(reply.size() >= FrameLayer::expectedLength(registerCount), "a reply is long enough");
  expect((link.linkStatus == kReplySound) == endsWithValidCrc(reply), "sound means a valid CRC");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputCursor in(fuzz::inputBytes(data, size));
  const int registerCount = 1 + in.byte() % 63;
  const quint8 options = in.byte();
  Link link;
  if (options & 0x01) link.burstUs = 16'000;
  link.port.open(nullptr);
  scheduleArrivals(in, link);
  link.layer.receiveReply(registerCount);
  checkOutcome(link, registerCount, 0);
  if (options & 0x02) {
    const qint64 start = link.clock.nowUs();
    link.layer.receiveReply(registerCount);
    checkOutcome(link, registerCount, start);
  }
  return 0;
}
