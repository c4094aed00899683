#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

#include "link/portfailure.h"

namespace orvex {

// The serial port of the editor window (MSComm1): what the link needs of it and nothing
// more. Implemented over QSerialPort for the program and in memory for tests.
class SerialPort : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  ~SerialPort() override = default;

  virtual int portNumber() const = 0;  // CommPort, 1..4
  // Selects COMn whether or not its device is there now: an adapter may be plugged in later,
  // and the port chosen is the port the next transfer opens. Fails only for a number no
  // port can have (error: the platform's text).
  virtual bool setPortNumber(int n, QString* error) = 0;
  virtual bool isPresent() const = 0;      // the selected port's device exists now
  virtual QString deviceName() const = 0;  // what COMn leads to: "/dev/ttyS2", or "COM3"
  virtual bool applySettings(const QString& settings, QString* error) = 0;  // "9600,N,8,1"
  // *error: the platform's own text, for the frame log.
  virtual bool open(QString* error) = 0;
  // Why the last open failed, in the program's terms.
  virtual PortFailure openFailure() const = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  virtual bool write(const QByteArray& bytes) = 0;
  virtual qint64 bytesWaiting() = 0;
  virtual QByteArray readAll() = 0;

 signals:
  void dataArrived();  // new bytes wait to be read
  // Lost while open (adapter unplugged, line hung up); it is closed. `reason`: the platform's
  // text, for the frame log.
  void failed(const QString& reason);
};

// The device behind COMn: on Windows the port name itself; elsewhere what a link named
// COMn in the program directory points to (as Wine maps its com ports, and as the simulated
// instrument announces itself), else /dev/ttyS(n-1).
QString comDevicePath(const QString& programDir, int portNumber);

// The device's group and the user, for the fix of a refused open ("dialout", "alice").
QString deviceGroup(const SerialPort& port);
QString userName();

// "COM3", or the device for a port named by its device alone.
inline QString portName(const SerialPort& port) {
  return port.portNumber() < 1 ? port.deviceName() : QStringLiteral("COM%1").arg(port.portNumber());
}

// "COM3 (/dev/ttyS2)", or just "COM3" where the port's name is its device: how messages
// name the selected port.
inline QString describePort(const SerialPort& port) {
  const QString device = port.deviceName();
  const QString name = portName(port);
  return device == name ? name : QStringLiteral("%1 (%2)").arg(name, device);
}

}  // namespace orvex
