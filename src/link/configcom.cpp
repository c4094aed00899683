#include "configcom.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

#include "common/textfile.h"
#include "common/ui/appservices.h"
#include "common/ui/captions.h"
#include "files/filetexts.h"
#include "lang/extratexts.h"
#include "lang/writefailure.h"
#include "link/applyserialsettings.h"
#include "link/serialdevices.h"
#include "link/ui/portsframe.h"

namespace orvex {

using C = SerialChoice;

ConfigCOM::ConfigCOM(AppServices& services, const SerialDeviceSource* devices, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services) {
  static const SystemSerialDevices systemDevices;
  setObjectName("ConfigCOM");
  setWindowTitle("CONFIGURACION DE PARAMETROS DE COMUNICACION");
  auto* groups = new QGridLayout;
  groups->addWidget(addGroup("Frame6", "&Puerto",
                             {{"PuertoCom(1)", "Com1", &C::port, "COM1"},
                              {"PuertoCom(2)", "Com2", &C::port, "COM2"},
                              {"PuertoCom(3)", "Com3", &C::port, "COM3"},
                              {"PuertoCom(4)", "Com4", &C::port, "COM4"}}),
                    0, 0);
  groups->addWidget(addGroup("Frame1", "&Baudios",
                             {{"Baud12", "1200", &C::baud, "1200"},
                              {"Baud24", "2400", &C::baud, "2400"},
                              {"Baud48", "4800", &C::baud, "4800"},
                              {"Baud96", "9600", &C::baud, "9600"},
                              {"Baud192", "19200", &C::baud, "1920"}}),
                    0, 1);
  groups->addWidget(addGroup("Frame4", "&Paridad",
                             {{"ParidadNo", "Ninguna", &C::parity, "N"},
                              {"ParidadImpar", "Impar", &C::parity, "O"},
                              {"ParidadPar", "Par", &C::parity, "E"}}),
                    0, 2);
  groups->addWidget(addGroup("Frame2", "Bits por &Car",
                             {{"Bits7", "7", &C::dataBits, "7"},
                              {"Bits8", "8", &C::dataBits, "8"}}),
                    1, 0);
  groups->addWidget(addGroup("Frame3", "Bits &Stop",
                             {{"Stop1", "1", &C::stopBits, "1"},
                              {"Stop2", "2", &C::stopBits, "2"}}),
                    1, 1);

  salvar_ = new QPushButton("Aceptar para esta Sesión y salvar como defecto");
  salvar_->setObjectName("Salvar");
  cancelar_ = new QPushButton("Cancelar");
  cancelar_->setObjectName("Cancelar");
  connect(salvar_, &QPushButton::clicked, this, &ConfigCOM::salvar);
  connect(cancelar_, &QPushButton::clicked, this, &ConfigCOM::cancelar);
  salvarHint_ = new QLabel;
  salvarHint_->setObjectName("SalvarHint");
  salvarHint_->setWordWrap(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(salvarHint_, 1);
  buttons->addWidget(salvar_);
  buttons->addWidget(cancelar_);

  ports_ = new PortsFrame(services_, devices ? *devices : systemDevices);
  groups->addWidget(ports_, 2, 0, 1, 3);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addLayout(buttons);
  preselect();
  connect(&services_.events, &AppEvents::languageApplied, this, &ConfigCOM::updateSalvar);
  connect(&services_.events, &AppEvents::transferEnded, this, [this] {
    if (std::exchange(applyPending_, false)) applyToPort();
  });
}

QGroupBox* ConfigCOM::addGroup(const char* name, const char* caption,
                               const QList<Option>& options) {
  auto* frame = new QGroupBox(QString::fromUtf8(caption));
  frame->setObjectName(name);
  auto* column = new QVBoxLayout(frame);
  for (const Option& option : options) {
    auto* button = new QRadioButton(QString::fromUtf8(option.caption));
    button->setObjectName(option.name);
    column->addWidget(button);
    const auto variable = option.variable;
    const QString value = option.value;
    connect(button, &QRadioButton::toggled, this, [this, variable, value](bool on) {
      if (!on) return;
      choice_.*variable = value;
      updateSalvar();
    });
  }
  column->addStretch();
  return frame;
}

// Each preselection acts as a click on the option, so the window variables start equal to
// the current settings; a value no option matches leaves its group unselected.
void ConfigCOM::preselect() {
  const SerialChoice current = choiceFromSettings(services_.context.serialSettings);
  if (!current.port.isEmpty()) select(QStringLiteral("PuertoCom(%1)").arg(current.port.mid(3)));
  if (!current.baud.isEmpty()) select("Baud" + current.baud.left(current.baud == "1920" ? 3 : 2));
  if (current.parity == "N") select("ParidadNo");
  if (current.parity == "O") select("ParidadImpar");
  if (current.parity == "E") select("ParidadPar");
  if (!current.dataBits.isEmpty()) select("Bits" + current.dataBits);
  if (!current.stopBits.isEmpty()) select("Stop" + current.stopBits);
  updateSalvar();
}

void ConfigCOM::select(const QString& name) {
  if (auto* button = findChild<QRadioButton*>(name)) button->setChecked(true);
}

// A group left without a choice would store a settings line no port accepts; the window
// says so beside the disabled button.
void ConfigCOM::updateSalvar() {
  setMinimumWidth(titleBarWidth(this, {windowTitle()}));
  const C& c = choice_;
  const bool complete = !c.port.isEmpty() && !c.baud.isEmpty() && !c.parity.isEmpty() &&
                        !c.dataBits.isEmpty() && !c.stopBits.isEmpty();
  salvar_->setEnabled(complete);
  salvarHint_->setText(extraText(&services_.context.texts, extra::SalvarHint));
  salvarHint_->setVisible(!complete);
}

void ConfigCOM::salvar() {
  ProgramContext& context = services_.context;
  const QString text = settingsFromChoice(choice_);
  const QString path = findFileNoCase(context.programDir, kSerialSettingsFile);
  QString error;
  if (!writeTextFileAtomic(path, text + "\r\n", &error)) {
    // Nothing changed: the window stays open so the user can retry or cancel.
    services_.messages.show(MessageIcon::Exclamation,
                            context.texts.extra[extra::WriteFailed].arg(
                                path, writeFailureReason(&context.texts, path, error)),
                            context.texts.extra[extra::WriteFailedTitle]);
    return;
  }
  context.serialSettings = text;
  leave();
  applyToPort();
}

// A transfer owns the port until it ends: changing port or line settings under it would
// cut its frames, so the saved settings reach the port once it is free.
void ConfigCOM::applyToPort() {
  if (!services_.port) return;
  if (services_.context.transferRunning) {
    applyPending_ = true;
    return;
  }
  applySerialSettings(services_.context, *services_.port, services_.messages);
}

void ConfigCOM::cancelar() { leave(); }

void ConfigCOM::leave() {
  hide();
  emit services_.events.serialSettingsClosed();
}

void ConfigCOM::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ports_->refresh();
}

void ConfigCOM::closeEvent(QCloseEvent* event) {
  event->ignore();  // hidden, never destroyed: the choices stay for the next opening
  cancelar();
}

}  // namespace orvex
