#include "presentacion.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "common/ui/appservices.h"
#include "common/ui/placement.h"
#include "shell/frontpanel.h"

namespace orvex {
namespace {

constexpr int kWindowWidth = 793;
constexpr int kWindowHeight = 569;

struct Description {
  const char* name;
  const char16_t* text;
};

// In mode order: automatic, generator, manual, test, blocked, off.
constexpr Description kDescriptions[] = {
    {"labelauto",
     u"En este modo cuando los valores de tensión y/o frecuencia de la RED salen de los "
     u"límites consignados, AUTOMATICAMENTE se hace el cambio a Grupo.  Al retornar la RED a "
     u"los margenes adecuados AUTOMATICAMENTE  se retorna a ésta."},
    {"labelgen",
     u"En este modo cuando se pulsa la tecla START o se acciona el Control Remoto se hace el "
     u"cambio a Grupo. Al pulsar la tecla STOP o desactivar el Control Remoto se retorna a RED."},
    {"labelman",
     u"En este modo cuando se pulsa la tecla START se pone en marcha el Grupo y cuando se pulsa "
     u"STOP se para. No se hace transferencia de contactores, esta debe hacerse MANualmente."},
    {"labeltest",
     u"En este modo cuando se pulsa la tecla START se hace el cambio a Grupo, pasado un tiempo "
     u"se retorna a RED. En este Test se hace la transferencia de contactores."},
    {"labelblock",
     u"En este modo la central esta Bloqueada, seguirá controlando los parámetros y "
     u"visualizando alarmas, pero no iniciará ninguna secuencia, ni automaticamente, ni por "
     u"pulsar la tecla START, ni por accionar el Control Remoto. Este modo es el adecuado para "
     u"realizar operaciones de Mantenimiento."},
    {"labeloff",
     u"Off, en esta posición la Central va a desconectarse totalmente quedando apagada. Para "
     u"reactivarla bastará con pulsar la tecla START."},
};

// Heights (twips) of the two lines of each pointer pair, pair 1 = automatic ... 6 = off.
constexpr int kPointerHeights[6][2] = {{1890, 1900}, {2200, 2220}, {2520, 2530},
                                       {2820, 2840}, {3120, 3135}, {3720, 3735}};
constexpr int kPointerLeft = 5520;
constexpr int kPointerRight = 5880;

void setShown(QWidget* widget, bool shown) {
  if (widget->isHidden() == shown) widget->setVisible(shown);
}

}  // namespace

Presentacion::Presentacion(AppServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services) {
  setObjectName("Presentacion");
  setWindowTitle(QString::fromUtf16(u"ORVEX - Configuración QVT                    V5.0"));
  setFixedSize(kWindowWidth, kWindowHeight);
  buildControls();
  connectEvents();
  render();
}

void Presentacion::buildControls() {
  auto* picture = new FrontPanel(this);
  picture->move(twips(600), twips(660));
  for (int i = 0; i < 5; ++i)
    modeLamps_[size_t(i)] = picture->findChild<QWidget*>(QStringLiteral("ledmode(%1)").arg(i));
  offLamp_ = picture->findChild<QWidget*>("ledoff");
  for (int i = 0; i < 7; ++i)
    sequenceLamps_[size_t(i)] =
        picture->findChild<QWidget*>(QStringLiteral("ledsecuencia(%1)").arg(i));
  for (int i = 0; i < 6; ++i)
    alarmLamps_[size_t(i)] = picture->findChild<QWidget*>(QStringLiteral("ledalarm(%1)").arg(i));
  buildPointerLines();
  buildInformation();
  buildAlarmArea();
  buildButtons();
  buildTimers();
}

void Presentacion::buildPointerLines() {
  const QColor colours[2] = {palette().color(QPalette::Dark), palette().color(QPalette::Light)};
  for (int pair = 0; pair < 6; ++pair) {
    for (int line = 0; line < 2; ++line) {
      auto* mark = new QWidget(this);
      mark->setObjectName(QStringLiteral("Line%1%2").arg(pair + 1).arg(line + 1));
      mark->setGeometry(twips(kPointerLeft), twips(kPointerHeights[pair][line]),
                        twips(kPointerRight - kPointerLeft), 1);
      mark->setAutoFillBackground(true);
      QPalette linePalette = mark->palette();
      linePalette.setColor(QPalette::Window, colours[line]);
      mark->setPalette(linePalette);
      pointerLines_[size_t(pair)][size_t(line)] = mark;
    }
  }
}

void Presentacion::buildInformation() {
  informacion_ = new QGroupBox(this);
  informacion_->setObjectName("informacion");
  informacion_->setGeometry(twipRect(5880, 360, 5655, 4095));
  const QRect labelArea(twips(360), twips(480), twips(5055),
                        informacion_->height() - twips(480) - 12);
  for (size_t i = 0; i < descriptions_.size(); ++i) {
    auto* label = new QLabel(QString::fromUtf16(kDescriptions[i].text), informacion_);
    label->setObjectName(kDescriptions[i].name);
    label->setGeometry(labelArea);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette labelPalette = label->palette();
    labelPalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(labelPalette);
    descriptions_[i] = label;
  }
}

void Presentacion::buildAlarmArea() {
  auto* frame = new QGroupBox("Alarmas", this);
  frame->setObjectName("Frame1");
  frame->setGeometry(twipRect(480, 6120, 4935, 2055));
  alarma_ = new QLabel("MENSAJE DE ALARMA", frame);
  alarma_->setObjectName("alarma");
  alarma_->setGeometry(twipRect(240, 480, 4455, 975));
  alarma_->setAlignment(Qt::AlignCenter);
  alarma_->setWordWrap(true);
  QFont font = alarma_->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.3);
  alarma_->setFont(font);
  QPalette alarmPalette = alarma_->palette();
  alarmPalette.setColor(QPalette::WindowText, QColor(200, 0, 0));
  alarma_->setPalette(alarmPalette);
}

QPushButton* Presentacion::addButton(const char* name, const QString& caption, QRect geometry) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

void Presentacion::buildButtons() {
  auto* configure = addButton("Command4", "Configura QVT", twipRect(5880, 5760, 5655, 1095));
  auto* serial = addButton("Command2", "Configura Com", twipRect(5880, 4680, 2655, 855));
  auto* language = addButton("Command3", "Cambia Idioma", twipRect(8880, 4680, 2655, 855));
  auto* leave = addButton("Command1", "Salir", twipRect(5880, 7080, 5655, 1095));
  connect(configure, &QPushButton::clicked, this, &Presentacion::onCommand4Click);
  connect(serial, &QPushButton::clicked, this, &Presentacion::onCommand2Click);
  connect(language, &QPushButton::clicked, this, &Presentacion::onCommand3Click);
  connect(leave, &QPushButton::clicked, this, &Presentacion::onCommand1Click);
}

QTimer* Presentacion::addTimer(const char* name, int intervalMs, void (Presentacion::*tick)()) {
  auto* timer = new QTimer(this);
  timer->setObjectName(name);
  timer->setInterval(intervalMs);
  connect(timer, &QTimer::timeout, this, tick);
  return timer;
}

void Presentacion::buildTimers() {
  timer1_ = addTimer("Timer1", 10000, &Presentacion::onTimer1Tick);
  timer2_ = addTimer("Timer2", 3000, &Presentacion::onTimer2Tick);
  timer3_ = addTimer("Timer3", 1000, &Presentacion::onTimer3Tick);
  timer4_ = addTimer("Timer4", 200, &Presentacion::onTimer4Tick);
  timer4_->setTimerType(Qt::PreciseTimer);
  setDemoTimersRunning(true);
}

void Presentacion::connectEvents() {
  connect(&services_.events, &AppEvents::editorLeft, this, [this] { setDemoTimersRunning(true); });
  connect(&services_.events, &AppEvents::serialSettingsClosed, this, [this] { setEnabled(true); });
  connect(&services_.events, &AppEvents::languageApplied, this, &Presentacion::showDemoScreenTexts);
  connect(this, &Presentacion::aboutToUnload, &services_.events, &AppEvents::aboutToUnload);
}

void Presentacion::setRandomSource(std::function<double()> random) {
  demo_.setRandomSource(std::move(random));
}

// Stopping keeps the demonstration's counters, so it resumes where it stopped. The mode
// demonstration stays stopped once the exit sequence shows the "off" mode.
void Presentacion::setDemoTimersRunning(bool running) {
  for (QTimer* timer : {timer1_, timer2_, timer3_}) {
    if (!running) timer->stop();
    else if (!timer->isActive() && !(timer == timer1_ && demo_.exiting())) timer->start();
  }
}

void Presentacion::setScreenCaption(QWidget* control, int screenText) {
  // Until a language is loaded the screen texts are empty and the design caption stays.
  if (screenText <= 0) return;
  const QString& text = services_.context.texts.screen.at(size_t(screenText));
  if (text.isEmpty()) return;
  if (auto* frame = qobject_cast<QGroupBox*>(control)) frame->setTitle(text);
  else if (auto* label = qobject_cast<QLabel*>(control)) label->setText(text);
}

void Presentacion::render() {
  const FrontPanelState& s = demo_.state();
  for (size_t i = 0; i < modeLamps_.size(); ++i) setShown(modeLamps_[i], s.modeLamp[i]);
  setShown(offLamp_, s.offLamp);
  for (size_t i = 0; i < sequenceLamps_.size(); ++i) setShown(sequenceLamps_[i], s.sequenceLamp[i]);
  for (size_t i = 0; i < alarmLamps_.size(); ++i) setShown(alarmLamps_[i], s.alarmLamp[i]);
  for (size_t i = 0; i < descriptions_.size(); ++i) setShown(descriptions_[i], s.description[i]);
  for (size_t pair = 0; pair < pointerLines_.size(); ++pair)
    for (QWidget* line : pointerLines_[pair]) setShown(line, s.pointerPair[pair]);
}

void Presentacion::showFirstModeTitle() { setScreenCaption(informacion_, 1); }

// A new language shows at once, not only at the demonstration's next tick.
void Presentacion::showDemoScreenTexts() {
  setScreenCaption(informacion_, demo_.state().informationScreenText);
  setScreenCaption(alarma_, demo_.state().alarmScreenText);
}

void Presentacion::onTimer1Tick() {
  demo_.modeTick();
  render();
  setScreenCaption(informacion_, demo_.state().informationScreenText);
}

void Presentacion::onTimer2Tick() {
  demo_.alarmTick();
  render();
  setScreenCaption(alarma_, demo_.state().alarmScreenText);
}

void Presentacion::onTimer3Tick() {
  demo_.sequenceTick();
  render();
}

void Presentacion::onTimer4Tick() {
  if (demo_.exitDone()) return;
  demo_.exitTick();
  render();
  if (!demo_.exitDone()) return;
  timer4_->stop();
  emit aboutToUnload();
  if (exitHandler_) exitHandler_();
}

void Presentacion::onCommand1Click() {
  if (!demo_.beginExit()) return;
  timer1_->stop();
  render();
  setScreenCaption(informacion_, demo_.state().informationScreenText);
  timer4_->start();
}

void Presentacion::onCommand2Click() {
  QWidget* settings = services_.windows.window("ConfigCOM");
  if (!settings) return;
  // A dialog owned by this window, so the window manager keeps it above this disabled one
  // (X11 marks only dialogs as transient); a child window is disabled with its owner unless
  // enabled by itself.
  if (settings->parentWidget() != this)
    settings->setParent(this, (settings->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
  setEnabled(false);
  settings->setEnabled(true);
  showOver(settings, this);
}

void Presentacion::onCommand3Click() {
  QWidget* language = services_.windows.window("Idioma");
  if (!language) return;
  showOver(language, this);
}

void Presentacion::onCommand4Click() {
  QWidget* editor = services_.windows.window("ConfigQVT");
  if (!editor) return;
  setDemoTimersRunning(false);
  showOver(editor, this);
}

// The window frame's close runs the exit sequence instead of closing at once; while the
// serial settings hold the window disabled it does nothing, as the buttons do.
void Presentacion::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (isEnabled()) onCommand1Click();
}

}  // namespace orvex
