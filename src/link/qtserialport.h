#pragma once
#include <QSerialPort>

#include "link/serialport.h"
#include "link/serialsettings.h"

namespace orvex {

// MSComm1 over QSerialPort. The device is looked up again at every open, so an instrument
// link that was re-made while the program ran is found.
class QtSerialPort : public SerialPort {
  Q_OBJECT
 public:
  explicit QtSerialPort(const QString& programDir, QObject* parent = nullptr);

  int portNumber() const override { return number_; }
  bool setPortNumber(int n, QString* error) override;
  bool isPresent() const override;
  QString deviceName() const override;
  // A device named directly (a path such as /dev/ttyUSB0, or a Windows port name) instead of
  // a COM number; the port number is then 0.
  void setDevice(const QString& device);
  bool applySettings(const QString& settings, QString* error) override;
  bool open(QString* error) override;
  PortFailure openFailure() const override { return openFailure_; }
  void close() override;
  bool isOpen() const override { return port_.isOpen(); }
  bool write(const QByteArray& bytes) override;
  qint64 bytesWaiting() override { return port_.bytesAvailable(); }
  QByteArray readAll() override { return port_.readAll(); }

 private:
  bool configure(const LineSettings& line, QString* error);
  PortFailure classifyOpenFailure() const;
  void onError(QSerialPort::SerialPortError error);

  QString programDir_;
  QSerialPort port_;
  int number_ = 1;
  QString device_;  // named directly, else empty
  PortFailure openFailure_ = PortFailure::None;
  LineSettings line_;
};

}  // namespace orvex
