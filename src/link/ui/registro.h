#pragma once
#include <QList>
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

  // Brings the list and the text up to date. The text shown is only added to: the user's
  // scroll position and selection stay, and the view keeps to the end only when it was there.
  void refresh();
  bool save();  // Command1; false: the user was told why

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void fillList();
  void showTransfer(int index);
  void appendNews(const TransferRecord& transfer);
  void append(const QString& text);
  const TransferRecord* transferAt(int index) const;

  AppServices& services_;
  QComboBox* transfers_;  // Combo1: the transfers kept, the last first
  QPlainTextEdit* text_;  // Text1
  QLabel* status_;
  bool placed_ = false;
  // What the text holds: the transfer (its id), its frames so far, whether its end is in.
  QList<quint64> listedIds_;  // the list's transfers, the latest first
  quint64 shownId_ = 0;
  qsizetype shownFrames_ = 0;
  bool shownEnd_ = false;
  QTimer* watch_ = nullptr;  // while shown: a transfer under way is followed
};

}  // namespace orvex
