#include "qtserialport.h"

#include <QFileInfo>

#include "common/textfile.h"

namespace orvex {

// The group that may use the device; where its group may not (a pseudo-terminal, a device
// without a udev rule), the group serial ports belong to on Debian.
QString deviceGroup(const SerialPort& port) {
  const QFileInfo device(QFileInfo(port.deviceName()).canonicalFilePath());
  const auto readWrite = QFileDevice::ReadGroup | QFileDevice::WriteGroup;
  const bool groupMay = (device.permissions() & readWrite) == readWrite;
  return groupMay && !device.group().isEmpty() ? device.group() : QStringLiteral("dialout");
}

QString userName() {
  const QString user = qEnvironmentVariable("USER");
  return user.isEmpty() ? qEnvironmentVariable("USERNAME") : user;
}

QString comDevicePath(const QString& programDir, int portNumber) {
  const QFileInfo link(findFileNoCase(programDir, QStringLiteral("COM%1").arg(portNumber)));
  if (link.isSymLink()) return link.symLinkTarget();
  return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

QtSerialPort::QtSerialPort(const QString& programDir, QObject* parent)
    : SerialPort(parent), programDir_(programDir) {
  connect(&port_, &QSerialPort::readyRead, this, &SerialPort::dataArrived);
  connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

bool QtSerialPort::setPortNumber(int n, QString* error) {
  if (n < 1 || n > 99) {
    if (error) *error = QStringLiteral("Invalid port number %1: ports are COM1 to COM99.").arg(n);
    return false;
  }
  if (port_.isOpen()) port_.close();
  number_ = n;
  device_.clear();
  return true;
}

QString QtSerialPort::deviceName() const {
  return device_.isEmpty() ? comDevicePath(programDir_, number_) : device_;
}

void QtSerialPort::setDevice(const QString& device) {
  if (port_.isOpen()) port_.close();
  device_ = device;
  number_ = 0;
}

bool QtSerialPort::isPresent() const { return QFileInfo::exists(deviceName()); }

bool QtSerialPort::applySettings(const QString& settings, QString* error) {
  LineSettings parsed;
  if (!parseLineSettings(settings, &parsed, error)) return false;
  if (port_.isOpen() && !configure(parsed, error)) return false;
  line_ = parsed;
  return true;
}

bool QtSerialPort::configure(const LineSettings& line, QString* error) {
  const QSerialPort::Parity parity = line.parity == 'O'   ? QSerialPort::OddParity
                                     : line.parity == 'E' ? QSerialPort::EvenParity
                                                          : QSerialPort::NoParity;
  const bool ok =
      port_.setBaudRate(line.baud) && port_.setParity(parity) &&
      port_.setDataBits(static_cast<QSerialPort::DataBits>(line.dataBits)) &&
      port_.setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
      port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!ok && error) *error = port_.errorString();
  return ok;
}

bool QtSerialPort::open(QString* error) {
  if (port_.isOpen()) return true;
  port_.setPortName(deviceName());
  openFailure_ = PortFailure::None;
  if (!port_.open(QIODevice::ReadWrite)) {
    if (error) *error = port_.errorString();
    openFailure_ = classifyOpenFailure();
    return false;
  }
  if (!configure(line_, error)) {
    openFailure_ = PortFailure::Refused;
    port_.close();
    return false;
  }
  port_.clear();
  return true;
}

PortFailure QtSerialPort::classifyOpenFailure() const {
  const QFileInfo device(QFileInfo(deviceName()).canonicalFilePath());
  switch (port_.error()) {
    case QSerialPort::DeviceNotFoundError: return PortFailure::Absent;
    // Qt reports a device locked by another program as a permission error too: only a
    // device this user cannot read and write is a matter of permission.
    case QSerialPort::PermissionError:
      return device.isReadable() && device.isWritable() ? PortFailure::Busy
                                                        : PortFailure::NoPermission;
    // The terminal calls do not apply: a file, /dev/null, anything but a serial device.
    case QSerialPort::UnsupportedOperationError: return PortFailure::NotSerial;
    default: break;
  }
  return device.isFile() || device.isDir() ? PortFailure::NotSerial : PortFailure::Refused;
}

void QtSerialPort::close() {
  if (port_.isOpen()) port_.close();
}

bool QtSerialPort::write(const QByteArray& bytes) {
  // Queued; the event loop of the following wait writes it out.
  return port_.isOpen() && port_.write(bytes) == bytes.size();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
  // ResourceError: the adapter was unplugged. A read error on an open port means the same
  // in practice (a hung-up line reports it on every notification, so leaving the port open
  // would keep the event loop spinning). Closing stops further notifications.
  const bool lost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
  if (!lost || !port_.isOpen()) return;
  const QString reason = port_.errorString();
  port_.close();
  emit failed(reason);
}

}  // namespace orvex
