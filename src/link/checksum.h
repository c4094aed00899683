#pragma once
#include <QByteArray>

// The frames' checksum: CRC-16/Modbus (start 0xFFFF, reflected polynomial 0xA001), appended
// low byte first. The program and the simulated instrument share it.
namespace orvex {

quint16 crc16Modbus(const QByteArray& bytes);
QByteArray withCrc(QByteArray frame);
// True when the last two bytes are the CRC of the bytes before them (at least 3 bytes).
bool endsWithValidCrc(const QByteArray& bytes);

}  // namespace orvex
