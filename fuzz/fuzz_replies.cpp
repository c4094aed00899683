// The frame layer's wait for a reply: fuzzed bytes arrive over the in-memory port in
// virtual time, in pieces at fuzzed moments; the port may be lost on the way.
//
// Input: a byte choosing the request (function 3, 2, 5 or 6 by b % 4; a register read asks
// for 1 + b / 4 % 63 registers), an options byte (0x01: USB
// bursts of 16 ms, 0x02: a second reply wait after the first), then pieces: a delay byte
// (d^2 x 100 us after the previous piece), a length byte and that many bytes; length 0
// loses the port at that moment.
#include "fuzzsupport.h"
#include "link/checksum.h"
#include "link/framelayer.h"
#include "testing/inmemoryserialport.h"
#include "testing/virtualtimewaiter.h"

using namespace orvex;
using fuzz::expect;

namespace {

struct Link {
  qint64 burstUs = 0;
  test::VirtualTimeWaiter clock;
  test::InMemorySerialPort port{clock};
  FrameLayer layer{port, clock};
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

Request requestFor(quint8 b) {
  const quint8 functions[] = {0x03, 0x02, 0x05, 0x06};
  return {functions[b % 4], 1, static_cast<quint16>(1 + b / 4 % 63)};
}

void checkOutcome(const Link& link, const Request& asked, qint64 startUs) {
  const Reply& reply = link.layer.reply();
  const int registerCount = asked.registerCount();
  expect(link.clock.nowUs() - startUs <= FrameLayer::timeLimitUs(registerCount),
         "a wait never outlasts its time limit");
  if (reply.status == kReplyTimeout) {
    expect(reply.bytes.isEmpty(), "a time-out keeps no partial reply");
    return;
  }
  if (reply.refused()) {
    expect(isExceptionReply(reply.bytes, asked), "a refusal is an exception reply to it");
    return;
  }
  expect(reply.status == kReplySound || reply.status == kReplyCrcError, "a known status");
  expect(reply.bytes.size() >= FrameLayer::expectedLength(registerCount), "a reply is long enough");
  expect(reply.sound() == (endsWithValidCrc(reply.bytes) && answers(reply.bytes, asked)),
         "sound means a valid CRC on an answer to the request");
  for (int i = 1; i <= registerCount; ++i) reply.word(i);  // within the reply's bytes
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputCursor in(fuzz::inputBytes(data, size));
  const Request asked = requestFor(in.byte());
  const quint8 options = in.byte();
  Link link;
  if (options & 0x01) link.burstUs = 16'000;
  link.port.open(nullptr);
  scheduleArrivals(in, link);
  link.layer.receiveReply(asked);
  checkOutcome(link, asked, 0);
  if (options & 0x02) {
    const qint64 start = link.clock.nowUs();
    link.layer.receiveReply(asked);
    checkOutcome(link, asked, start);
  }
  return 0;
}
