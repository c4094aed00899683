#pragma once
#include <QWidget>

#include "link/transferview.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace orvex {

struct AppServices;

// GrabQVT: the progress window of a transfer with the instrument. Shown beside the editor,
// not modal; the transfer sets its title, the phase label Label1 (coloured text on a dark
// panel) and the step label proceso. The dot punto runs while the window is shown.
class GrabQVT : public QWidget, public TransferView {
  Q_OBJECT
 public:
  static constexpr int kPuntoFirst = 1560;  // twips
  static constexpr int kPuntoLast = 3480;
  static constexpr int kPuntoStep = 192;
  static constexpr int kTwipsPerPixel = 15;

  explicit GrabQVT(AppServices& services, QWidget* parent = nullptr);

  // TransferView
  void showProgress() override;
  void hideProgress() override;
  void setTitle(const QString& text) override;
  void setPhase(const QString& text, PhaseColour colour) override;
  void setStep(const QString& text) override;
  void appendToStep(const QString& text) override;
  void setCancellable(bool cancellable) override;

  int puntoLeft() const { return puntoLeft_; }  // twips
  // Timer1: one step of punto, rightwards while TransferDirection is 1, else leftwards.
  void onTimer1Tick();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // The window is the only sign of a running transfer: its close control acts as Cancel
  // where Cancel is allowed and is ignored otherwise; the transfer hides it when it ends.
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* buildTrack();
  void placePunto();
  void placeOverEditor();
  void fitTexts();
  void showCancelState();

  AppServices& services_;
  QGroupBox* frame1_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* proceso_ = nullptr;
  QWidget* punto_ = nullptr;
  QTimer* timer1_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool cancellable_ = true;
  int puntoLeft_ = kPuntoFirst;
  bool placed_ = false;
};

}  // namespace orvex
