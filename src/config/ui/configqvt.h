#pragma once
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include "common/ui/editoraccess.h"
#include "common/parameterset.h"
#include "config/ui/controlset.h"

class QPushButton;
class QTabWidget;

namespace orvex {

struct AppServices;
class LimitDisplays;

// The configuration editor: the parameter set on five tabs and the command buttons (the six of
// the classic window, Command7 the comparison, Command8 the frames, Command9 the history).
class ConfigQVT : public QWidget, public EditorAccess {
  Q_OBJECT
 public:
  // The first two steps of loading the window; the window runs them, in order, once.
  struct LoadSteps {
    std::function<void()> applySerialSettings;
    // Reads the default configuration; false with a problem text naming file and fault.
    std::function<bool(ParameterSet* set, QString* problem)> readDefaultConfiguration;
  };

  ConfigQVT(AppServices& services, const LoadSteps& steps, QWidget* parent = nullptr);
  ~ConfigQVT() override;

  // EditorAccess
  void showParameterSet() override;
  void collectParameterSet() override;
  void showSet(const ParameterSet& set) override;
  // Buttons are held, not just switched: every `false` (a dialog taking them) needs its own
  // `true` before they come back, so one holder cannot release another's. A transfer holds
  // Lee QVT, Graba QVT and Compara from its start to its end likewise.
  void setCommandButtonsEnabled(bool enabled) override;
  QString numberBoxText(const QString& name) const override;

  int commandButtonHolds() const { return allHolds_; }
  ControlSet& controls() { return controls_; }
  void refreshLimitDisplays();  // mains, then alternator

 protected:
  // The window frame's close control leaves the editor as "Salir" does.
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QSize openingSize() const;
  void leave();
  void buildWindow();
  void wireCommands();
  void runLoadSteps(const LoadSteps& steps);
  void reportUnshownSlots(const ParameterSet& set, const QList<int>& slotNumbers);
  void onLanguageApplied();
  void setNumberBoxHints();
  void holdTransferButtons(bool hold);
  void updateCommandButtons();
  void openWindow(const QString& name);
  QString noAlarmText() const;

  AppServices& services_;
  ControlSet controls_;
  std::unique_ptr<LimitDisplays> limits_;
  QTabWidget* tabs_ = nullptr;
  std::array<QPushButton*, 9> commands_{};  // Command1..Command9
  std::array<int, 9> buttonHolds_{};
  int allHolds_ = 0;
  bool sized_ = false;
};

}  // namespace orvex
