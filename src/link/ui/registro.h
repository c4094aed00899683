#pragma once
#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTimer;

namespace orvex {

struct AppServices;
struct TransferRecord;

// Registro: what went over the wire in the last transfers, frame by frame, for the installer
// and the support desk; saved on request as a text file in Report/Log. Opened from the editor
// and from the progress window (also during a transfer, to watch its attempts).
class Registro : public QWidget {
  Q_OBJECT
 public:
  explicit Registro(AppServices& services);

  void refresh();
  bool save();  // Command1; false: the user was told why

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void showTransfer(int index);
  const TransferRecord* transferAt(int index) const;

  AppServices& services_;
  QComboBox* transfers_;  // Combo1: the transfers kept, the last first
  QPlainTextEdit* text_;  // Text1
  QLabel* status_;
  bool placed_ = false;
  QTimer* watch_ = nullptr;  // while shown: a transfer under way is followed
};

}  // namespace orvex
