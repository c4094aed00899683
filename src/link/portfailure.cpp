#include "portfailure.h"

#include "lang/extratexts.h"
#include "lang/texttables.h"
#include "link/serialport.h"

namespace orvex {

QString portFailurePrompt(const TextTables& texts, PortFailure failure, const SerialPort& port) {
  const auto text = [&texts](int item) { return texts.extra.at(static_cast<size_t>(item)); };
  const QString described = describePort(port);
  const QString name = portName(port);
  const auto cannotOpen = [&](const QString& reason) {
    return text(extra::PortOpenFailed).arg(described, reason);
  };
  switch (failure) {
    case PortFailure::Absent: return text(extra::PortAbsent).arg(described);
    case PortFailure::NoPermission:
      return text(extra::PortNoPermission).arg(described, deviceGroup(port), userName());
    case PortFailure::Busy: return cannotOpen(text(extra::PortBusy).arg(name));
    case PortFailure::NotSerial:
      return cannotOpen(text(extra::PortNotSerial).arg(port.deviceName()));
    case PortFailure::Lost: return text(extra::PortLost).arg(text(extra::PortUnplugged));
    case PortFailure::None:  // a backend that could not tell
    case PortFailure::Refused: return cannotOpen(text(extra::PortRefused));
  }
  return {};
}

}  // namespace orvex
