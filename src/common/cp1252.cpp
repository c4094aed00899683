#include "cp1252.h"

#include <array>

namespace orvex {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves undefined,
// which are passed through as the C1 control of the same value.
// clang-format off
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
// clang-format on

char16_t decodeByte(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F && kHighControls[b - 0x80] != 0) return kHighControls[b - 0x80];
  return b;
}

int encodeChar(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == c) return 0x80 + i;
  if (c >= 0x80 && c <= 0x9F && kHighControls[c - 0x80] == 0) return c;
  return -1;
}

}  // namespace

QString fromCp1252(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char b : bytes) out.append(QChar(decodeByte(static_cast<unsigned char>(b))));
  return out;
}

QByteArray toCp1252(const QString& text, bool* lossless) {
  QByteArray out;
  out.reserve(text.size());
  bool clean = true;
  for (QChar c : text) {
    const int b = encodeChar(c.unicode());
    if (b < 0) clean = false;
    out.append(static_cast<char>(b < 0 ? '?' : b));
  }
  if (lossless) *lossless = clean;
  return out;
}

QString charactersWithoutCp1252Form(const QString& text) {
  QString found;
  for (QChar c : text)
    if (encodeChar(c.unicode()) < 0 && !found.contains(c)) found.append(c);
  return found;
}

}  // namespace orvex
