#include "grabqvt.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "common/ui/appservices.h"
#include "common/ui/captions.h"
#include "common/ui/placement.h"
#include "lang/extratexts.h"

namespace orvex {
namespace {

constexpr int kPuntoSize = 12;  // pixels
constexpr int kTimer1Ms = 200;
// The step label keeps one line up to this width, longer texts wrap onto a second line.
constexpr int kStepMinWidth = 320;
constexpr int kStepMaxWidth = 600;
const QColor kPanel(16, 24, 32);

QColor rgbOf(PhaseColour colour) {
  switch (colour) {
    case PhaseColour::Green: return QColor(0, 255, 0);
    case PhaseColour::Cyan: return QColor(0, 255, 255);
    case PhaseColour::Red: return QColor(255, 0, 0);
  }
  return Qt::white;
}

int widest(const QFontMetrics& metrics, const QStringList& texts) {
  int width = 0;
  for (const QString& text : texts) width = std::max(width, metrics.horizontalAdvance(text));
  return width;
}

}  // namespace

GrabQVT::GrabQVT(AppServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services) {
  setObjectName("GrabQVT");
  setWindowTitle(QStringLiteral("Comunicación con el Instrumento"));
  frame1_ = new QGroupBox(QStringLiteral("Progreso"));
  frame1_->setObjectName("Frame1");

  label1_ = new QLabel;
  label1_->setObjectName("Label1");
  label1_->setAlignment(Qt::AlignCenter);
  label1_->setAutoFillBackground(true);
  label1_->setMargin(8);
  QFont phaseFont = label1_->font();
  phaseFont.setBold(true);
  phaseFont.setPointSizeF(phaseFont.pointSizeF() * 1.4);
  label1_->setFont(phaseFont);
  QPalette panel = label1_->palette();
  panel.setColor(QPalette::Window, kPanel);
  label1_->setPalette(panel);
  setPhase(QString(), PhaseColour::Green);

  proceso_ = new QLabel;
  proceso_->setObjectName("proceso");
  proceso_->setAlignment(Qt::AlignCenter);
  proceso_->setWordWrap(true);

  auto* inner = new QVBoxLayout(frame1_);
  inner->addWidget(label1_);
  inner->addWidget(proceso_);
  inner->addWidget(buildTrack(), 0, Qt::AlignHCenter);
  // The frames of this transfer so far: its attempts can be watched while it runs.
  auto* frames = new QPushButton(QStringLiteral("Tramas..."));
  frames->setObjectName("Command1");
  connect(frames, &QPushButton::clicked, this, [this] {
    if (QWidget* log = services_.windows.window("Registro")) {
      log->show();
      log->raise();
    }
  });
  cancel_ = new QPushButton(QStringLiteral("Cancelar"));
  cancel_->setObjectName("Command2");
  connect(cancel_, &QPushButton::clicked, &services_.events, &AppEvents::transferCancelRequested);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(frames);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame1_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetMinimumSize);

  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  timer1_->setInterval(kTimer1Ms);
  connect(timer1_, &QTimer::timeout, this, &GrabQVT::onTimer1Tick);
  connect(&services_.events, &AppEvents::languageApplied, this, &GrabQVT::fitTexts);
  fitTexts();
}

// The dot runs between 1560 and 3480 twips; the track leaves as much room on its right.
QWidget* GrabQVT::buildTrack() {
  auto* track = new QWidget;
  track->setFixedSize((kPuntoLast + kPuntoFirst) / kTwipsPerPixel + kPuntoSize, kPuntoSize + 8);
  punto_ = new QWidget(track);
  punto_->setObjectName("punto");
  punto_->setFixedSize(kPuntoSize, kPuntoSize);
  punto_->setStyleSheet(QStringLiteral("#punto { background-color: rgb(0, 120, 215); "
                                       "border-radius: %1px; }")
                            .arg(kPuntoSize / 2));
  punto_->setAttribute(Qt::WA_StyledBackground);
  placePunto();
  return track;
}

void GrabQVT::placePunto() { punto_->move(puntoLeft_ / kTwipsPerPixel, 4); }

void GrabQVT::onTimer1Tick() {
  if (services_.context.transferDirection == 1)
    puntoLeft_ = puntoLeft_ == kPuntoLast ? kPuntoFirst : puntoLeft_ + kPuntoStep;
  else puntoLeft_ = puntoLeft_ == kPuntoFirst ? kPuntoLast : puntoLeft_ - kPuntoStep;
  placePunto();
}

void GrabQVT::showProgress() {
  if (!placed_) placeOverEditor();
  show();
  raise();
}

// The first time over the editor's middle, where the user looks; afterwards wherever the
// user has moved it.
void GrabQVT::placeOverEditor() {
  QWidget* editor = services_.windows.existing("ConfigQVT");
  if (!editor || !editor->isVisible()) return;
  adjustSize();
  placeOver(this, editor);
  placed_ = true;
}

void GrabQVT::hideProgress() { hide(); }

void GrabQVT::setTitle(const QString& text) { setWindowTitle(text); }

void GrabQVT::setPhase(const QString& text, PhaseColour colour) {
  QPalette palette = label1_->palette();
  palette.setColor(QPalette::WindowText, rgbOf(colour));
  label1_->setPalette(palette);
  label1_->setText(text);
}

void GrabQVT::setStep(const QString& text) { proceso_->setText(text); }

void GrabQVT::appendToStep(const QString& text) { proceso_->setText(proceso_->text() + text); }

void GrabQVT::setCancellable(bool cancellable) {
  cancellable_ = cancellable;
  showCancelState();
}

// While a write's registers go out the button stays, disabled, saying why it cannot stop.
void GrabQVT::showCancelState() {
  const auto& texts = services_.context.texts.extra;
  const QString& caption = texts[cancellable_ ? extra::ReportCancel : extra::CannotCancel];
  if (!caption.isEmpty()) cancel_->setText(caption);
  cancel_->setToolTip(cancellable_ ? QString() : texts[extra::CannotCancelWhy]);
  cancel_->setEnabled(cancellable_);
}

void GrabQVT::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  timer1_->start();
}

void GrabQVT::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  timer1_->stop();
}

void GrabQVT::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (cancellable_) emit services_.events.transferCancelRequested();
}

// Sized once per language for the longest texts a transfer shows, so the window neither
// cuts a text off nor jumps in size from step to step.
void GrabQVT::fitTexts() {
  const auto& m = services_.context.texts.message;
  const QString slot = QStringLiteral("63");
  const QString value = QStringLiteral("-32768");
  const QStringList steps{m[3],
                          m[4] + "1",
                          m[6] + slot + m[30] + value + m[13],
                          m[18],
                          m[20],
                          m[21],
                          m[23] + slot + m[24] + value,
                          m[27],
                          m[29] + slot + m[30] + value,
                          m[33]};
  const int stepWidth = widest(proceso_->fontMetrics(), steps);
  proceso_->setMinimumWidth(std::clamp(stepWidth + 8, kStepMinWidth, kStepMaxWidth));
  proceso_->setMinimumHeight(2 * proceso_->fontMetrics().lineSpacing() + 4);
  const QStringList phases{m[2], m[5], m[19], m[22], QStringLiteral("Reset")};
  label1_->setMinimumWidth(widest(label1_->fontMetrics(), phases) + 2 * label1_->margin() + 8);
  const QStringList titles{m[1], m[21], m[28], windowTitle()};
  // On the frame: the window's own minimum is the layout's (it would override one set here).
  const QMargins margins = layout()->contentsMargins();
  frame1_->setMinimumWidth(titleBarWidth(this, titles) - margins.left() - margins.right());
  // As wide as its wider caption, so the window keeps its size when the caption changes.
  const bool cancellable = cancellable_;
  int cancelWidth = 0;
  for (const bool state : {false, true}) {
    setCancellable(state);
    cancelWidth = std::max(cancelWidth, cancel_->sizeHint().width());
  }
  cancel_->setMinimumWidth(cancelWidth + cancel_->fontMetrics().height());  // room to breathe
  setCancellable(cancellable);
}

}  // namespace orvex
