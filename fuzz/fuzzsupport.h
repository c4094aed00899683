#pragma once
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

// What every harness needs: the input as bytes, a cursor over structured inputs, a scratch
// folder for the readers that only take a path, and a check that makes libFuzzer keep the
// input when a property of the program does not hold.
namespace orvex::fuzz {

inline QByteArray inputBytes(const uint8_t* data, size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A broken property is a finding like a crash: abort so the input is saved as a reproducer.
inline void expect(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

// Reads a structured input from the front; past its end every read gives zeros / nothing,
// so any input is a complete scenario.
class InputCursor {
 public:
  explicit InputCursor(QByteArray bytes) : bytes_(std::move(bytes)) {}
  bool atEnd() const { return pos_ >= bytes_.size(); }
  quint8 byte() { return atEnd() ? 0 : static_cast<quint8>(bytes_[pos_++]); }
  quint16 word() {  // high byte first
    const quint8 high = byte();
    return static_cast<quint16>(high << 8 | byte());
  }
  QByteArray take(qsizetype count) {
    const QByteArray out = bytes_.mid(pos_, count);
    pos_ += out.size();
    return out;
  }
  QByteArray takeCounted() { return take(byte()); }  // a length byte, then that many bytes
  // A delay byte d stands for d^2 x 100 us: fine steps for byte gaps and quiet gaps, and
  // up to 6.5 s for the time-outs.
  qint64 delayUs() {
    const qint64 d = byte();
    return d * d * 100;
  }

 private:
  QByteArray bytes_;
  qsizetype pos_ = 0;
};

// When bytes that are in at `atUs` reach the reader through a USB adapter that hands them
// over every `intervalUs` (0: at once).
inline qint64 handedOverUs(qint64 atUs, qint64 intervalUs) {
  return intervalUs > 0 ? (atUs + intervalUs - 1) / intervalUs * intervalUs : atUs;
}

// One temporary folder per process, removed at exit; the path ends with '/'.
inline const QString& scratchDir() {
  static QTemporaryDir dir;
  static const QString path = [] {
    expect(dir.isValid(), "the scratch folder can be created");
    return dir.path() + QLatin1Char('/');
  }();
  return path;
}

// A new file each time: truncating one in place makes ext4 flush it to disk on close.
inline void writeScratchFile(const QString& path, const QByteArray& bytes) {
  QDir(path).removeRecursively();
  QFile::remove(path);
  QFile file(path);
  expect(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
         "the scratch file can be written");
}

// What a harness that reads a file puts at its path, chosen by the input's first byte, so that
// the reader's whole path is fuzzed: 0x00 nothing (missing), 0x01 a folder (unreadable, even
// for root), 0x02 the rest of the input repeated to one byte past the reader's `limit`, 0x03
// repeated to exactly `limit`; any other first byte (text files start with none of these):
// the input as it is.
enum class FileShape { Missing, Unreadable, TooLarge, AtLimit, AsGiven };

inline FileShape placeInputFile(const QString& path, const QByteArray& input, qint64 limit) {
  writeScratchFile(path, {});
  const int first = input.isEmpty() ? -1 : static_cast<quint8>(input[0]);
  if (first == 0x00 || first == 0x01) {
    QFile::remove(path);
    if (first == 0x01) expect(QDir().mkpath(path), "the scratch folder can be made");
    return first == 0x00 ? FileShape::Missing : FileShape::Unreadable;
  }
  if (first == 0x02 || first == 0x03) {
    const QByteArray unit = input.size() > 1 ? input.mid(1) : QByteArray(" ");
    const qint64 size = first == 0x02 ? limit + 1 : limit;
    writeScratchFile(path, unit.repeated(size / unit.size() + 1).left(size));
    return first == 0x02 ? FileShape::TooLarge : FileShape::AtLimit;
  }
  writeScratchFile(path, input);
  return FileShape::AsGiven;
}

// Whether a read of the file placed must fail whatever its content.
inline bool cannotBeRead(FileShape shape) {
  return shape == FileShape::Missing || shape == FileShape::Unreadable ||
         shape == FileShape::TooLarge;
}

}  // namespace orvex::fuzz
