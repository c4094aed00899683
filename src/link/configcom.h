#pragma once
#include <QWidget>

#include "link/serialsettings.h"

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orvex {

struct AppServices;
class PortsFrame;
class SerialDeviceSource;

// ConfigCOM: chooses the serial settings, stores them in confcom.sys and applies them.
// Hidden, never destroyed, by Salvar and Cancelar (and the window's close control, which
// acts as Cancelar), so abandoned choices are still shown at the next opening.
class ConfigCOM : public QWidget {
  Q_OBJECT
 public:
  // `devices`: the serial devices of this PC (tests give a fixed list; null: the system's).
  explicit ConfigCOM(AppServices& services, const SerialDeviceSource* devices = nullptr,
                     QWidget* parent = nullptr);

  const SerialChoice& choice() const { return choice_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Option {
    const char* name;
    const char* caption;
    QString SerialChoice::*variable;
    const char* value;
  };
  QGroupBox* addGroup(const char* name, const char* caption, const QList<Option>& options);
  void preselect();
  void select(const QString& name);
  void updateSalvar();
  void salvar();
  void applyToPort();
  void cancelar();
  void leave();

  AppServices& services_;
  SerialChoice choice_;
  QPushButton* salvar_ = nullptr;
  QPushButton* cancelar_ = nullptr;
  QLabel* salvarHint_ = nullptr;  // why Salvar is disabled, while it is
  PortsFrame* ports_ = nullptr;
  bool applyPending_ = false;  // saved during a transfer, applied when it ends
};

}  // namespace orvex
