#pragma once
#include <QList>
#include <QString>

// Which device each COM number leads to on this PC, and (on Linux, where COMn is a link in
// the program directory) making COMn lead to an adapter: the first thing to check when a
// controller "does not talk".
namespace orvex {

struct SerialDevice {
  QString location;      // "/dev/ttyUSB0", or "COM3" on Windows
  QString description;   // "FT232R USB UART"
  QString manufacturer;  // "FTDI"
  QString serialNumber;  // "A50285BI"
  bool usb = false;
};

// The serial devices present now (QSerialPortInfo), or a fixed list in tests.
class SerialDeviceSource {
 public:
  virtual ~SerialDeviceSource() = default;
  virtual QList<SerialDevice> devices() const = 0;
};

class SystemSerialDevices : public SerialDeviceSource {
 public:
  QList<SerialDevice> devices() const override;
};

// What COMn leads to, for a person: "/dev/ttyUSB0 — FTDI FT232R USB UART, A50285BI", the
// device alone when the system knows nothing more of it (a pseudo-terminal), or the device
// followed by `absent` when it is not there ("/dev/ttyUSB0 — not present": the adapter the
// link was made for is unplugged). On Windows, where the port's name is its device, `absent`.
QString describeComTarget(const QString& programDir, int number, const SerialDeviceSource& source,
                          const QString& absent);

// Whether COMn can be pointed at a device here: on Linux, by a link in the program directory.
bool comLinksSupported();

enum class LinkFailure { None, NotALink, Refused };

// Makes COMn in the program directory a link to `device`, replacing an earlier link at once
// (never leaving COMn missing). Refuses to replace anything that is not a link (NotALink).
// Refused: the system did not allow it; *systemText says what the system said.
LinkFailure linkComPort(const QString& programDir, int number, const QString& device,
                        QString* systemText);

}  // namespace orvex
