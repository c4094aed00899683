#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

namespace orvex {

// The serial port of the editor window (MSComm1): what the link needs of it and nothing
// more. Implemented over QSerialPort for the program and in memory for tests.
class SerialPort : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  ~SerialPort() override = default;

  virtual int portNumber() const = 0;                        // CommPort, 1..4
  virtual bool setPortNumber(int n, QString* error) = 0;     // error: the platform's text
  virtual bool applySettings(const QString& settings, QString* error) = 0;  // "9600,N,8,1"
  virtual bool open(QString* error) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  virtual bool write(const QByteArray& bytes) = 0;
  virtual qint64 bytesWaiting() = 0;
  virtual QByteArray readAll() = 0;

 signals:
  void dataArrived();                  // new bytes wait to be read
  void failed(const QString& reason);  // port lost while open (adapter unplugged); it is closed
};

}  // namespace orvex
