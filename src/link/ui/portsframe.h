#pragma once
#include <QGroupBox>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace orvex {

struct AppServices;
class SerialDeviceSource;

// ConfigCOM's view of this PC's ports: what each of COM1 to COM4 leads to (the device, and
// for a USB adapter its maker, product and serial number, or "not present"), and on Linux
// the adapter each COMn link points to, chosen from the devices present.
class PortsFrame : public QGroupBox {
  Q_OBJECT
 public:
  PortsFrame(AppServices& services, const SerialDeviceSource& devices, QWidget* parent = nullptr);

  void refresh();  // the devices may come and go: looked up again at every opening

 private:
  struct Row {
    QLabel* target = nullptr;
    QComboBox* device = nullptr;
    QPushButton* link = nullptr;
  };
  void addRow(int number);
  void linkPort(int number);
  void applyTexts();
  QString text(int item) const;

  AppServices& services_;
  const SerialDeviceSource& devices_;
  std::array<Row, 5> rows_{};  // 1..4
};

}  // namespace orvex
