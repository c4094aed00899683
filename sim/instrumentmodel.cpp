#include "instrumentmodel.h"

#include <QStringList>

#include <initializer_list>

#include "link/framelayer.h"

namespace orvex::sim {
namespace {

// A 230 V / 50 Hz installation with the usual delays, every alarm input wired.
// clang-format off
constexpr std::array<quint16, kConfigRegisters> kFactory = {
    7, 4, 4, 1, 3, 3, 8, 1, 2, 3, 2, 3, 1, 1, 1, 1, 1, 1, 2, 1,   // 1..20
    2, 1, 6, 5, 1, 3, 4, 4, 3, 3, 2, 1, 2, 1, 2, 1, 2, 2, 2, 4,   // 21..40
    2, 1, 1, 2, 1, 0, 0, 0, 120, 0, 55, 0, 30, 0, 20, 0, 10, 0, 30, 0,  // 41..60
    60, 0, 105};                                                  // 61..63
// clang-format on

quint16 word(const QByteArray& frame, int at) {
  return static_cast<quint16>((static_cast<quint8>(frame[at]) << 8) |
                              static_cast<quint8>(frame[at + 1]));
}

QByteArray bytesOf(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

void appendWord(QByteArray* out, quint16 value) {
  out->append(static_cast<char>(value >> 8));
  out->append(static_cast<char>(value & 0xFF));
}

}  // namespace

QByteArray withCrc(QByteArray frame) {
  const quint16 crc = crc16Modbus(frame);
  frame.append(static_cast<char>(crc & 0xFF));
  frame.append(static_cast<char>(crc >> 8));
  return frame;
}

InstrumentModel::InstrumentModel(const InstrumentFaults& faults) : faults_(faults) {
  loadFactoryConfiguration();
}

void InstrumentModel::loadFactoryConfiguration() {
  for (int r = 1; r <= kConfigRegisters; ++r) registers_[r] = kFactory[r - 1];
}

QList<InstrumentModel::Reply> InstrumentModel::receive(const QByteArray& bytes, qint64 nowUs) {
  if (!pending_.isEmpty() && nowUs - lastByteUs_ > interFrameGapUs_) pending_.clear();
  lastByteUs_ = nowUs;
  pending_ += bytes;
  QList<Reply> replies;
  while (pending_.size() >= 8) {
    const QByteArray frame = pending_.left(8);
    if (!endsWithValidCrc(frame)) {
      pending_.remove(0, 1);  // out of step: look for a frame start one byte later
      continue;
    }
    pending_.remove(0, 8);
    Reply reply = handleFrame(frame, nowUs);
    if (!reply.isEmpty()) replies.append(reply);
  }
  return replies;
}

InstrumentModel::Reply InstrumentModel::handleFrame(const QByteArray& frame, qint64 nowUs) {
  if (frame.size() != 8 || !endsWithValidCrc(frame)) return {};
  if (static_cast<quint8>(frame[0]) != kSlaveAddress || rebooting(nowUs)) return {};
  ++requests_;
  const QByteArray reply = replyTo(frame, nowUs);
  if (reply.isEmpty() || faults_.noAnswer) return {};
  if (faults_.stopAfter > 0 && requests_ > faults_.stopAfter) return {};
  ++answered_;
  return deliver(reply);
}

QByteArray InstrumentModel::replyTo(const QByteArray& frame, qint64 nowUs) {
  const quint8 function = static_cast<quint8>(frame[1]);
  const int address = word(frame, 2);
  const quint16 value = word(frame, 4);
  if (refuses(function, address))
    return withCrc(bytesOf({kSlaveAddress, function | 0x80, faults_.refusalCode}));
  switch (function) {
    case 0x02: return identityReply(function);
    case 0x03:
    case 0x05: return readRegisters(function, address, value);
    case 0x06: return writeRegister(frame, address, value, nowUs);
    default: return withCrc(bytesOf({kSlaveAddress, function | 0x80, 0x01}));
  }
}

bool InstrumentModel::refuses(quint8 function, int address) const {
  return function == faults_.refusedFunction &&
         (faults_.refusedRegister < 0 || faults_.refusedRegister == address);
}

QByteArray InstrumentModel::identityReply(quint8 function) {
  QByteArray reply = bytesOf({kSlaveAddress, function});
  reply += QByteArray(kIdentityCode, 4);
  if (takeOne(&faults_.wrongIdentity)) reply[5] = static_cast<char>(reply[5] ^ 0x01);
  return withCrc(reply);
}

QByteArray InstrumentModel::readRegisters(quint8 function, int start, int count) const {
  if (count < 1 || count > 125 || start + count > kRegisterCount)
    return withCrc(bytesOf({kSlaveAddress, function | 0x80, 0x02}));
  QByteArray reply = bytesOf({kSlaveAddress, function, 2 * count});
  for (int r = start; r < start + count; ++r)
    appendWord(&reply, r == kModelRegister ? faults_.modelCode : registers_[r]);
  return withCrc(reply);
}

QByteArray InstrumentModel::writeRegister(const QByteArray& frame, int address, quint16 value,
                                          qint64 nowUs) {
  if (address == kResetRegister && value == kResetValue) {
    ++resets_;
    rebootUntilUs_ = nowUs + faults_.resetSilenceUs;
    pending_.clear();
    return {};
  }
  if (address >= kRegisterCount) return withCrc(bytesOf({kSlaveAddress, 0x86, 0x02}));
  if (address != kModelRegister) registers_[address] = value;  // the model code is fixed
  ++writes_;
  if (faults_.writesWithoutIdentity) return frame;
  return withCrc(bytesOf({kSlaveAddress, 0x06}) + QByteArray(kIdentityCode, 4));
}

InstrumentModel::Reply InstrumentModel::deliver(QByteArray reply) {
  if (takeOne(&faults_.crcErrors)) reply[reply.size() - 1] = static_cast<char>(reply.back() ^ 0x5A);
  QByteArray stray;
  for (int i = 0; i < faults_.strayBytes; ++i) stray.append(static_cast<char>(0xA5 ^ i));
  reply.prepend(stray);
  if (faults_.splitGapUs > 0) {
    const qsizetype half = reply.size() / 2;
    return {{faults_.turnaroundUs, reply.left(half)}, {faults_.splitGapUs, reply.mid(half)}};
  }
  if (takeOne(&faults_.lateByte))
    return {{faults_.turnaroundUs, reply.chopped(1)}, {faults_.lateByteUs, reply.right(1)}};
  return {{faults_.turnaroundUs, reply}};
}

bool InstrumentModel::takeOne(int* counter) {
  if (*counter < 0) return true;
  if (*counter == 0) return false;
  --*counter;
  return true;
}

QString InstrumentModel::configurationText() const {
  QString text;
  for (int r = 1; r <= kConfigRegisters; ++r) {
    const qint16 v = static_cast<qint16>(r == kModelRegister ? faults_.modelCode : registers_[r]);
    text += (v < 0 ? QString::number(v) : ' ' + QString::number(v)) + " \r\n";
  }
  return text;
}

bool InstrumentModel::loadConfigurationText(const QString& text, QString* error) {
  QStringList lines = text.split('\n');
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  if (lines.size() != kConfigRegisters) {
    *error = QStringLiteral("expected %1 lines of numbers, found %2")
                 .arg(kConfigRegisters)
                 .arg(lines.size());
    return false;
  }
  std::array<quint16, kConfigRegisters> values{};
  for (int i = 0; i < kConfigRegisters; ++i) {
    bool ok = false;
    const int v = lines[i].trimmed().toInt(&ok);
    if (!ok || v < -32768 || v > 65535) {
      *error = QStringLiteral("line %1: \"%2\" is not a 16-bit number")
                   .arg(i + 1)
                   .arg(lines[i].trimmed());
      return false;
    }
    values[i] = static_cast<quint16>(v);
  }
  for (int r = 1; r <= kConfigRegisters; ++r) registers_[r] = values[r - 1];
  return true;
}

}  // namespace orvex::sim
