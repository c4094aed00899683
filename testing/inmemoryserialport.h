#pragma once
#include <QByteArray>
#include <QList>

#include "link/serialport.h"
#include "link/serialsettings.h"
#include "testing/virtualtimewaiter.h"

namespace orvex::sim {
class InstrumentModel;
}

namespace orvex::test {

// A serial port in memory, on the virtual clock: bytes written reach an attached
// instrument model as they would over the line (paced at the applied speed), and its
// replies arrive when due, byte by byte.
class InMemorySerialPort : public SerialPort {
  Q_OBJECT
 public:
  explicit InMemorySerialPort(VirtualTimeWaiter& clock, QObject* parent = nullptr);

  int portNumber() const override { return port_; }
  bool setPortNumber(int n, QString* error) override;
  bool isPresent() const override { return port_ <= 4; }
  QString deviceName() const override {
    return device_.isEmpty() ? QStringLiteral("/dev/mem%1").arg(port_) : device_;
  }
  bool applySettings(const QString& settings, QString* error) override;
  bool open(QString* error) override;
  void close() override;
  bool isOpen() const override { return open_; }
  bool write(const QByteArray& bytes) override;
  qint64 bytesWaiting() override { return rx_.size(); }
  QByteArray readAll() override;

  // --- what a test sets up and looks at
  void attachInstrument(sim::InstrumentModel* model) { instrument_ = model; }
  // Empty: opens succeed; else the system's text of a refusal of that kind.
  void setOpenError(const QString& text, PortFailure kind = PortFailure::Refused) {
    openError_ = text;
    openFailure_ = text.isEmpty() ? PortFailure::None : kind;
  }
  PortFailure openFailure() const override { return openFailure_; }
  void setDeviceName(const QString& device) { device_ = device; }  // COMn leads elsewhere now
  void receiveNow(const QByteArray& bytes);                        // arrive at once
  void receiveAt(qint64 atUs, const QByteArray& bytes);            // arrive at a given time
  void loseWhileOpen(const QString& reason);                       // adapter unplugged
  qint64 characterTimeUs() const;

  const QList<QByteArray>& written() const { return written_; }
  const LineSettings& lineSettings() const { return line_; }
  int openCount() const { return opens_; }
  int closeCount() const { return closes_; }
  int applyCount() const { return applies_; }

 private:
  void scheduleReply(const QList<QByteArray>& chunks, const QList<qint64>& delays, qint64 startUs);

  VirtualTimeWaiter& clock_;
  sim::InstrumentModel* instrument_ = nullptr;
  QString openError_;
  PortFailure openFailure_ = PortFailure::None;
  QString device_;
  int port_ = 1;
  LineSettings line_;
  bool open_ = false;
  int session_ = 0;  // bytes in flight when the port closed never arrive
  QByteArray rx_;
  QList<QByteArray> written_;
  int opens_ = 0;
  int closes_ = 0;
  int applies_ = 0;
};

}  // namespace orvex::test
