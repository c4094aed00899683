#pragma once
#include <QString>

#include "common/context.h"
#include "testing/inmemoryserialport.h"

namespace orvex::test {

// "COM3 19200,O,7,2 applied 1 as COM3:1920,O,7,2": the port's state and the settings kept.
inline QString portState(const InMemorySerialPort& port, const ProgramContext& context) {
  const LineSettings line = port.lineSettings();
  return QStringLiteral("COM%1 %2,%3,%4,%5 applied %6 as %7")
      .arg(port.portNumber())
      .arg(line.baud)
      .arg(QChar(line.parity))
      .arg(line.dataBits)
      .arg(line.stopBits)
      .arg(port.applyCount())
      .arg(context.serialSettings);
}

}  // namespace orvex::test
