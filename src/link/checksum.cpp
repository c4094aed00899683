#include "checksum.h"

namespace orvex {

quint16 crc16Modbus(const QByteArray& bytes) {
  quint16 crc = 0xFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<quint8>(c);
    for (int bit = 0; bit < 8; ++bit) {
      const bool lsb = crc & 1;
      crc >>= 1;
      if (lsb) crc ^= 0xA001;
    }
  }
  return crc;
}

QByteArray withCrc(QByteArray frame) {
  const quint16 crc = crc16Modbus(frame);
  frame.append(static_cast<char>(crc & 0xFF));
  frame.append(static_cast<char>(crc >> 8));
  return frame;
}

bool endsWithValidCrc(const QByteArray& bytes) {
  return bytes.size() >= 3 && withCrc(bytes.chopped(2)) == bytes;
}

}  // namespace orvex
