#pragma once
#include <QWidget>

#include <array>
#include <functional>

#include "shell/frontpaneldemo.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace orvex {

struct AppServices;

// The main window: the front-panel demonstration and the way into the rest of the program.
// The program ends only through its exit sequence (Command1 or the window frame's close).
class Presentacion : public QWidget {
  Q_OBJECT
 public:
  explicit Presentacion(AppServices& services, QWidget* parent = nullptr);

  const FrontPanelDemo& demo() const { return demo_; }
  // The demonstration's random numbers (tests make the alarm sequence predictable).
  void setRandomSource(std::function<double()> random);
  // What happens when the exit animation has ended; by default nothing (the start-up
  // installs the unloading of every window and the end of the program).
  void setExitHandler(std::function<void()> handler) { exitHandler_ = std::move(handler); }

  // The information frame's caption: screen text 1, as at start-up.
  void showFirstModeTitle();

  void onTimer1Tick();
  void onTimer2Tick();
  void onTimer3Tick();
  void onTimer4Tick();
  void onCommand1Click();
  void onCommand2Click();
  void onCommand3Click();
  void onCommand4Click();

 signals:
  // The exit animation has ended; the windows are about to be unloaded. A running transfer
  // with the instrument must stop its waits now.
  void aboutToUnload();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void buildInformation();
  void buildPointerLines();
  void buildAlarmArea();
  void buildButtons();
  void buildTimers();
  void connectEvents();
  QPushButton* addButton(const char* name, const QString& caption, QRect geometry);
  QTimer* addTimer(const char* name, int intervalMs, void (Presentacion::*tick)());
  void setDemoTimersRunning(bool running);
  void render();
  void setScreenCaption(QWidget* control, int item);
  void showDemoScreenTexts();

  AppServices& services_;
  FrontPanelDemo demo_;
  std::function<void()> exitHandler_;
  std::array<QWidget*, 5> modeLamps_{};
  QWidget* offLamp_ = nullptr;
  std::array<QWidget*, 7> sequenceLamps_{};
  std::array<QWidget*, 6> alarmLamps_{};
  std::array<std::array<QWidget*, 2>, 6> pointerLines_{};
  std::array<QLabel*, 6> descriptions_{};
  QGroupBox* informacion_ = nullptr;
  QLabel* alarma_ = nullptr;
  QTimer* timer1_ = nullptr;
  QTimer* timer2_ = nullptr;
  QTimer* timer3_ = nullptr;
  QTimer* timer4_ = nullptr;
};

}  // namespace orvex
