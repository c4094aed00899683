#pragma once
#include <QByteArray>

#include <atomic>
#include <thread>

#include "link/serialport.h"
#include "link/serialsettings.h"

namespace orvex {

// MSComm1 over the Win32 communications API, on the system's own \\.\COMn.
//
// A reader thread waits in ReadFile (overlapped, so writes from the link's thread are never
// held behind a pending read) and hands what arrives to the link's thread, where
// dataArrived is emitted. A failing read or write is the port lost (adapter unplugged):
// the port closes and `failed` is emitted on the link's thread.
class Win32SerialPort : public SerialPort {
  Q_OBJECT
 public:
  explicit Win32SerialPort(const QString& programDir, QObject* parent = nullptr);
  ~Win32SerialPort() override;

  int portNumber() const override { return number_; }
  bool setPortNumber(int n, QString* error) override;
  bool isPresent() const override;
  QString deviceName() const override;
  // A port named directly ("COM12", "\\.\COM12") instead of by its number; the number is 0.
  void setDevice(const QString& device);
  bool applySettings(const QString& settings, QString* error) override;
  bool open(QString* error) override;
  PortFailure openFailure() const override { return openFailure_; }
  void close() override;
  bool isOpen() const override { return handle_ != nullptr; }
  bool write(const QByteArray& bytes) override;
  qint64 bytesWaiting() override;
  QByteArray readAll() override;

 private:
  bool configure(const LineSettings& line, QString* error);
  void readLoop(void* handle, void* stopEvent, quint64 generation);
  void arrive(quint64 generation, const QByteArray& bytes);
  void lose(quint64 generation, const QString& reason);

  int number_ = 1;
  QString device_;  // named directly, else empty
  LineSettings line_;
  PortFailure openFailure_ = PortFailure::None;
  void* handle_ = nullptr;     // HANDLE of the open port
  void* stopEvent_ = nullptr;  // set to end the reader thread
  std::thread reader_;
  // Each open has its own generation: news from a reader of an earlier open is ignored.
  std::atomic<quint64> generation_{0};
  QByteArray arrived_;  // handed over by the reader, not yet read
};

// The port names the system lists now (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM), e.g. "COM1".
QStringList systemComPorts();

}  // namespace orvex
