#include "configqvt.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "common/ui/appservices.h"
#include "common/ui/placement.h"
#include "config/editortable.h"
#include "config/factoryset.h"
#include "config/parametermapping.h"
#include "config/slottable.h"
#include "config/ui/limitdisplays.h"
#include "config/ui/tabs.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex {
namespace {

constexpr int kNoAlarmScreenText = 13;

constexpr int kCommands = 9;
const char* const kCommandCaptions[kCommands] = {"Imprime", "Lee Fichero", "Guarda Fichero",
                                                 "Lee QVT", "Graba QVT",   "Salir",
                                                 "Compara", "Tramas...",   "Historial"};
// Command7 to Command9 came later: they stand after Graba QVT, Salir keeps the right-hand end.
constexpr int kButtonOrder[kCommands] = {1, 2, 3, 4, 5, 7, 8, 9, 6};

QString slotList(const ParameterSet& set, const QList<int>& slotNumbers) {
  QStringList items;
  for (const int slot : slotNumbers)
    items << QStringLiteral("%1 %2 = %3").arg(slot).arg(slotInfo(slot).name).arg(set[slot]);
  return items.join(QStringLiteral(", "));
}

}  // namespace

QWidget* tabPage(QWidget* frame) {
  auto* scroll = new QScrollArea;
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(frame);
  return scroll;
}

ConfigQVT::ConfigQVT(AppServices& services, const LoadSteps& steps, QWidget* parent)
    : QWidget(parent), services_(services), controls_(this) {
  setObjectName("ConfigQVT");
  buildWindow();
  limits_ = std::make_unique<LimitDisplays>(controls_, [this] { return noAlarmText(); });
  limits_->wire();
  wireStartReactions(controls_, {services_.context, services_.messages});
  wireInputReactions(controls_);
  wireCommands();
  // Every group starts with one member selected, before anything else is shown.
  orvex::showParameterSet(factoryParameterSet(), controls_);
  connect(&services_.events, &AppEvents::languageApplied, this, &ConfigQVT::onLanguageApplied);
  connect(&services_.events, &AppEvents::transferStarted, this,
          [this] { holdTransferButtons(true); });
  connect(&services_.events, &AppEvents::transferEnded, this,
          [this] { holdTransferButtons(false); });
  setNumberBoxHints();
  runLoadSteps(steps);
}

ConfigQVT::~ConfigQVT() = default;

void ConfigQVT::buildWindow() {
  setWindowTitle(QString::fromUtf8("Configuración Instrumentos ORVEX  y  ORVEX-LT"));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget;
  tabs_->setObjectName("SSTab1");
  tabs_->addTab(buildMainsTab(controls_), QString::fromUtf8("Parámetros de RED"));
  tabs_->addTab(buildStartTab(controls_), QString::fromUtf8("Parámetros Secuencia Arranque"));
  tabs_->addTab(buildStopTab(controls_), QString::fromUtf8("Parámetros Secuencia Paro"));
  tabs_->addTab(buildAlternatorTab(controls_), QString::fromUtf8("Parámetros de ALTERNADOR"));
  tabs_->addTab(buildInputsTab(controls_), QStringLiteral("Entradas Digitales      "));
  layout->addWidget(tabs_, 1);
  auto* buttons = new QHBoxLayout;
  for (const int number : kButtonOrder) {
    QPushButton*& button = commands_[static_cast<size_t>(number - 1)];
    button = new QPushButton(QString::fromUtf8(kCommandCaptions[number - 1]));
    button->setObjectName(QStringLiteral("Command%1").arg(number));
    button->setMinimumWidth(120);
    if (number == 6) buttons->addStretch(1);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
}

void ConfigQVT::wireCommands() {
  connect(commands_[0], &QPushButton::clicked, this, [this] { openWindow("Report"); });
  connect(commands_[1], &QPushButton::clicked, this, [this] { openWindow("LoadFich"); });
  connect(commands_[2], &QPushButton::clicked, this, [this] { openWindow("GrabFich"); });
  connect(commands_[3], &QPushButton::clicked, &services_.events,
          &AppEvents::readInstrumentRequested);
  connect(commands_[4], &QPushButton::clicked, this, [this] {
    collectParameterSet();  // what is written is exactly what the editor shows now
    emit services_.events.writeInstrumentRequested();
  });
  connect(commands_[5], &QPushButton::clicked, this, &ConfigQVT::leave);
  connect(commands_[6], &QPushButton::clicked, this, [this] { openWindow("Compara"); });
  connect(commands_[7], &QPushButton::clicked, this, [this] { openWindow("Registro"); });
  connect(commands_[8], &QPushButton::clicked, this, [this] { openWindow("Historial"); });
}

void ConfigQVT::leave() {
  hide();
  emit services_.events.editorLeft();
}

void ConfigQVT::closeEvent(QCloseEvent* event) {
  // Hidden, never destroyed here; without the announcement the main window would stay
  // paused after the user closed the editor with the frame.
  event->ignore();
  if (isVisible()) leave();
}

// The tab pages scroll only when the screen is too small for them: the window opens, the
// first time, at the size that shows the largest page whole, as far as the screen allows.
void ConfigQVT::showEvent(QShowEvent* event) {
  if (!sized_) {
    sized_ = true;
    resize(openingSize());
  }
  QWidget::showEvent(event);
}

QSize ConfigQVT::openingSize() const {
  QSize pages;
  for (int i = 0; i < tabs_->count(); ++i) {
    const auto* scroll = qobject_cast<const QScrollArea*>(tabs_->widget(i));
    if (scroll && scroll->widget()) pages = pages.expandedTo(scroll->widget()->sizeHint());
  }
  // What lies around a page: the tab bar, the buttons, the margins.
  const QSize around = sizeHint() - tabs_->currentWidget()->sizeHint();
  QSize wanted = pages + around.expandedTo(QSize(0, 0));
  if (const QScreen* shown = screen()) {
    // Leave room for the window frame and title bar.
    wanted = wanted.boundedTo(shown->availableGeometry().size() - QSize(16, 48));
  }
  return wanted;
}

void ConfigQVT::openWindow(const QString& name) {
  QWidget* window = services_.windows.window(name);
  if (!window) return;  // not part of this build
  showOver(window, this);
}

void ConfigQVT::runLoadSteps(const LoadSteps& steps) {
  if (steps.applySerialSettings) steps.applySerialSettings();
  ParameterSet loaded = services_.context.configLeida;
  QString problem;
  if (steps.readDefaultConfiguration && steps.readDefaultConfiguration(&loaded, &problem)) {
    services_.context.configLeida = loaded;
    showParameterSet();
  } else if (steps.readDefaultConfiguration) {
    services_.messages.show(MessageIcon::Exclamation, problem,
                            extraText(&services_.context.texts, extra::FileErrorTitle));
  }
  refreshLimitDisplays();
}

void ConfigQVT::refreshLimitDisplays() {
  limits_->refreshMains();
  limits_->refreshAlternator();
}

void ConfigQVT::showParameterSet() { showSet(services_.context.configLeida); }

void ConfigQVT::showSet(const ParameterSet& set) {
  const QList<int> unshown = orvex::showParameterSet(set, controls_);
  if (!unshown.isEmpty()) reportUnshownSlots(set, unshown);
}

void ConfigQVT::reportUnshownSlots(const ParameterSet& set, const QList<int>& slotNumbers) {
  const TextTables* texts = &services_.context.texts;
  const QString title = extraText(texts, extra::OutOfRangeTitle);
  QString prompt = extraText(texts, extra::OutOfRangePrompt);
  const QString list = slotList(set, slotNumbers);
  prompt = prompt.contains(QLatin1String("%1")) ? prompt.arg(list) : prompt + "\n" + list;
  services_.messages.show(MessageIcon::Exclamation, prompt, title);
}

void ConfigQVT::collectParameterSet() {
  orvex::collectParameterSet(controls_, &services_.context.configEditada);
}

void ConfigQVT::setCommandButtonsEnabled(bool enabled) {
  allHolds_ = enabled ? qMax(0, allHolds_ - 1) : allHolds_ + 1;
  updateCommandButtons();
}

// A read and a write on one port at once would interleave their frames; the comparison
// with the controller reads too.
void ConfigQVT::holdTransferButtons(bool hold) {
  for (const int number : {4, 5, 7}) {
    int& holds = buttonHolds_[static_cast<size_t>(number - 1)];
    holds = hold ? holds + 1 : qMax(0, holds - 1);
  }
  updateCommandButtons();
}

void ConfigQVT::updateCommandButtons() {
  for (size_t i = 0; i < commands_.size(); ++i)
    commands_[i]->setEnabled(allHolds_ == 0 && buttonHolds_[i] == 0);
}

QString ConfigQVT::numberBoxText(const QString& name) const {
  const QLineEdit* box = controls_.numberBox(name);
  return box ? box->text() : QString();
}

QString ConfigQVT::noAlarmText() const {
  return screenText(&services_.context.texts, kNoAlarmScreenText);
}

void ConfigQVT::onLanguageApplied() {
  refreshLimitDisplays();  // the no-alarm text may have changed
  updateCommandButtons();
  setNumberBoxHints();
}

void ConfigQVT::setNumberBoxHints() {
  const QString hint = extraText(&services_.context.texts, extra::NumberRange);
  for (const MappingStep& step : mappingSteps())
    if (step.kind == ControlKind::NumberBox) controls_.numberBox(step.control)->setToolTip(hint);
}

}  // namespace orvex
