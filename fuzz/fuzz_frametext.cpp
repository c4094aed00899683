// Frame texts: hex text to bytes and the CRC the frame layer appends, on any text.
#include "fuzzsupport.h"
#include "link/framelayer.h"

using namespace orvex;
using fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromUtf8(fuzz::inputBytes(data, size));
  QByteArray bytes;
  const bool parsed = frameTextToBytes(text, &bytes);
  const QString crc = computeCrc(text);
  expect(parsed == !crc.isEmpty(), "a CRC exactly for the frame texts that parse");
  if (!parsed) return 0;
  expect(bytesToFrameText(bytes) == text.toUpper(), "bytes and text say the same");
  QByteArray framed;
  expect(frameTextToBytes(text + crc, &framed) && framed.size() == bytes.size() + 2,
         "the CRC is two hex bytes");
  expect(bytes.isEmpty() || endsWithValidCrc(framed), "the appended CRC checks");
  return 0;
}
