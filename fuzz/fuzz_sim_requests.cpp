// The simulated instrument's request parser: bytes off the line in pieces at fuzzed
// moments (frame resynchronisation, the inter-frame gap, the reset's silence), with its
// fault modes, and single frames handed to it directly.
//
// Input: a faults byte (0x01 no answer, 0x02 writes echoed, 0x04 one CRC error, 0x08 one
// wrong identity, 0x10 replies split 300 ms apart, 0x20 two stray bytes, 0x40 stop after
// two requests), then pieces: a delay byte (d^2 x 100 us after the previous piece), a
// length byte and that many bytes.
#include "fuzzsupport.h"
#include "link/checksum.h"
#include "sim/instrumentmodel.h"

using namespace orvex;
using fuzz::expect;

namespace {

sim::InstrumentFaults faultsFrom(quint8 bits) {
  sim::InstrumentFaults faults;
  faults.noAnswer = bits & 0x01;
  faults.writesWithoutIdentity = bits & 0x02;
  faults.crcErrors = bits & 0x04 ? 1 : 0;
  faults.wrongIdentity = bits & 0x08 ? 1 : 0;
  faults.splitGapUs = bits & 0x10 ? 300'000 : 0;
  faults.strayBytes = bits & 0x20 ? 2 : 0;
  faults.stopAfter = bits & 0x40 ? 2 : 0;
  return faults;
}

// Without damaging faults every reply is one whole frame from the instrument's address.
void checkReply(const sim::InstrumentModel::Reply& reply, bool clean) {
  expect(!reply.isEmpty(), "a reply has at least one piece");
  QByteArray bytes;
  for (const auto& chunk : reply) bytes += chunk.bytes;
  if (!clean) return;
  expect(endsWithValidCrc(bytes) && quint8(bytes[0]) == sim::kSlaveAddress, "a sound frame");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputCursor in(fuzz::inputBytes(data, size));
  const quint8 faultBits = in.byte();
  const bool clean = (faultBits & (0x04 | 0x20)) == 0;
  sim::InstrumentModel model(faultsFrom(faultBits));
  const quint16 modelCode = model.reg(sim::kModelRegister);
  qint64 now = 0;
  while (!in.atEnd()) {
    now += in.delayUs();
    const QByteArray piece = in.takeCounted();
    for (const auto& reply : model.receive(piece, now)) checkReply(reply, clean);
    const auto direct = model.handleFrame(piece, now);
    if (!direct.isEmpty()) checkReply(direct, clean);
  }
  expect(model.reg(sim::kModelRegister) == modelCode, "the model register cannot be written");
  return 0;
}
