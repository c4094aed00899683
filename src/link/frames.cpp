#include "frames.h"

#include "link/checksum.h"

namespace orvex {
namespace {

quint8 byteAt(const QByteArray& bytes, qsizetype at) {
  return at < bytes.size() ? static_cast<quint8>(bytes[at]) : 0;
}

}  // namespace

QByteArray Request::bytes() const {
  QByteArray frame;
  for (const int b :
       {int(kSlaveAddress), int(function), address >> 8, address & 0xFF, value >> 8, value & 0xFF})
    frame.append(static_cast<char>(b));
  return withCrc(frame);
}

bool isExceptionReply(const QByteArray& bytes, const Request& asked) {
  return bytes.size() == 5 && byteAt(bytes, 0) == kSlaveAddress &&
         byteAt(bytes, 1) == (asked.function | 0x80) && endsWithValidCrc(bytes);
}

bool answers(const QByteArray& bytes, const Request& asked) {
  if (byteAt(bytes, 0) != kSlaveAddress || byteAt(bytes, 1) != asked.function) return false;
  if (asked.readsRegisters()) return byteAt(bytes, 2) == bytes.size() - 5;
  return bytes.size() >= 8;
}

// After address, function and byte count: word i holds bytes 2i + 1 and 2i + 2.
qint16 Reply::word(int i) const {
  return static_cast<qint16>(byteAt(bytes, 2 * i + 1) << 8 | byteAt(bytes, 2 * i + 2));
}

bool Reply::carriesIdentity() const { return bytes.mid(2, 4) == QByteArray(kIdentityCode, 4); }

}  // namespace orvex
