#include "frontpanel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace orvex {
namespace {

const QColor kGreen(40, 220, 70);
const QColor kRed(235, 40, 35);
const QColor kFace(226, 228, 224);
const QColor kInk(40, 48, 60);
const QColor kNavy(24, 52, 98);

// Lamp geometry in twips inside the picture.
constexpr int kModeLampLeft = 4030;
constexpr int kModeLampTops[] = {1200, 1480, 1770, 2070, 2370};
constexpr int kModeLampSize = 165;  // 11 px
constexpr int kOffLamp[] = {3990, 3010, 255, 120};
// clang-format off
constexpr int kSequenceLamps[7][4] = {{1020, 1490, 165, 60}, {1680, 1320, 165, 60},
                                      {2040, 2130, 165, 60}, {1740, 2130, 165, 60},
                                      {2700, 1680, 60, 165}, {2340, 2130, 165, 60},
                                      {1320, 1490, 165, 60}};
// clang-format on
constexpr int kAlarmLampTop = 3050;
constexpr int kAlarmLampLefts[] = {480, 900, 1320, 1800, 2220, 2700};
constexpr int kAlarmLampSize[] = {195, 75};

QRect modeLampRect(int i) {
  return twipRect(kModeLampLeft, kModeLampTops[i], kModeLampSize, kModeLampSize);
}
QRect offLampRect() { return twipRect(kOffLamp[0], kOffLamp[1], kOffLamp[2], kOffLamp[3]); }
QRect sequenceLampRect(int i) {
  const int* g = kSequenceLamps[i];
  return twipRect(g[0], g[1], g[2], g[3]);
}
QRect alarmLampRect(int i) {
  return twipRect(kAlarmLampLefts[i], kAlarmLampTop, kAlarmLampSize[0], kAlarmLampSize[1]);
}

QFont smallFont(QPainter& p, int pixelSize, bool bold = false) {
  QFont font = p.font();
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

void drawSocket(QPainter& p, const QRect& r, bool round) {
  p.setPen(QPen(QColor(90, 94, 100), 1));
  p.setBrush(QColor(120, 124, 128));
  if (round) p.drawEllipse(r.adjusted(0, 0, -1, -1));
  else p.drawRect(r.adjusted(0, 0, -1, -1));
}

void drawBezel(QPainter& p, const QRect& r) {
  QLinearGradient bezel(r.topLeft(), r.bottomLeft());
  bezel.setColorAt(0, QColor(70, 76, 84));
  bezel.setColorAt(1, QColor(32, 35, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(bezel);
  p.drawRoundedRect(r, 12, 12);
  p.setBrush(kFace);
  p.drawRoundedRect(r.adjusted(8, 8, -8, -8), 6, 6);
  p.setBrush(QColor(150, 154, 160));
  for (const QPoint c :
       {QPoint(r.left() + 4, r.top() + 4), QPoint(r.right() - 4, r.top() + 4),
        QPoint(r.left() + 4, r.bottom() - 4), QPoint(r.right() - 4, r.bottom() - 4)})
    p.drawEllipse(c, 2, 2);
}

void drawHeader(QPainter& p) {
  const QRect band(12, 14, 293, 26);
  p.setPen(Qt::NoPen);
  p.setBrush(kNavy);
  p.drawRect(band);
  p.setPen(Qt::white);
  p.setFont(smallFont(p, 16, true));
  p.drawText(band.adjusted(8, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, "ORVEX");
  p.setFont(smallFont(p, 8));
  p.drawText(band.adjusted(0, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter, "GENSET CONTROLLER");
}

void drawSourceSymbol(QPainter& p, const QPoint& centre, const QString& letter) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(Qt::white);
  p.drawEllipse(centre, 10, 10);
  p.setFont(smallFont(p, 10, true));
  p.drawText(QRect(centre.x() - 10, centre.y() - 10, 20, 20), Qt::AlignCenter, letter);
}

// Mains on the bus, generator below it, the load at the right end of the bus.
void drawDiagram(QPainter& p) {
  const int busY = 101, genY = 144, junctionX = 182;
  p.setPen(QPen(kInk, 2));
  p.drawLine(48, busY, 196, busY);
  p.drawLine(104, genY, junctionX, genY);
  p.drawLine(junctionX, genY, junctionX, busY);
  // Contactor marks beside the mains contactor lamp and the generator contactor lamp.
  p.drawLine(126, busY - 5, 130, busY + 5);
  p.drawLine(junctionX - 5, 128, junctionX + 5, 132);
  drawSourceSymbol(p, QPoint(38, busY), QStringLiteral("~"));
  drawSourceSymbol(p, QPoint(94, genY), QStringLiteral("G"));
  QPainterPath load;  // arrow into the load
  load.moveTo(196, busY - 6);
  load.lineTo(207, busY);
  load.lineTo(196, busY + 6);
  load.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawPath(load);
  p.setPen(kInk);
  p.setFont(smallFont(p, 7, true));
  p.drawText(QRect(18, 114, 40, 12), Qt::AlignHCenter, "MAINS");
  p.drawText(QRect(74, 157, 40, 12), Qt::AlignHCenter, "GEN");
  p.drawText(QRect(180, 84, 34, 12), Qt::AlignHCenter, "LOAD");
}

void drawModeKeys(QPainter& p) {
  static const char* const names[] = {"AUTO", "GEN", "MAN", "TEST", "BLOCK"};
  p.setFont(smallFont(p, 8, true));
  for (int i = 0; i < 5; ++i) {
    const QRect lamp = modeLampRect(i);
    const QRect key(222, lamp.center().y() - 7, 40, 15);
    p.setPen(QPen(QColor(110, 116, 124), 1));
    p.setBrush(QColor(246, 246, 244));
    p.drawRoundedRect(key, 3, 3);
    p.setPen(kInk);
    p.drawText(key, Qt::AlignCenter, names[i]);
    drawSocket(p, lamp, true);
  }
  const QRect off = offLampRect();
  const QRect key(222, off.center().y() - 7, 40, 15);
  p.setPen(QPen(QColor(110, 116, 124), 1));
  p.setBrush(QColor(246, 246, 244));
  p.drawRoundedRect(key, 3, 3);
  p.setPen(kInk);
  p.drawText(key, Qt::AlignCenter, "OFF");
  drawSocket(p, off, true);
  p.setPen(QPen(QColor(160, 164, 170), 1));
  p.drawLine(214, 62, 214, 222);
}

void drawAlarmRow(QPainter& p) {
  static const char* const names[] = {"FUEL", "OIL", "TEMP", "EXT", "OVL", "AUX"};
  p.setFont(smallFont(p, 7));
  for (int i = 0; i < 6; ++i) {
    const QRect lamp = alarmLampRect(i);
    drawSocket(p, lamp, false);
    p.setPen(kInk);
    p.drawText(QRect(lamp.center().x() - 14, lamp.bottom() + 3, 28, 10), Qt::AlignCenter, names[i]);
  }
  p.setPen(QPen(QColor(160, 164, 170), 1));
  p.drawLine(20, 190, 206, 190);
}

void drawDisplay(QPainter& p) {
  const QRect frame(20, 232, 186, 58);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(50, 54, 60));
  p.drawRoundedRect(frame, 4, 4);
  const QRect glass = frame.adjusted(5, 5, -5, -5);
  QLinearGradient lcd(glass.topLeft(), glass.bottomLeft());
  lcd.setColorAt(0, QColor(170, 196, 120));
  lcd.setColorAt(1, QColor(138, 166, 92));
  p.setBrush(lcd);
  p.drawRect(glass);
  QFont mono("DejaVu Sans Mono");
  mono.setPixelSize(13);
  mono.setBold(true);
  p.setFont(mono);
  p.setPen(QColor(30, 42, 20));
  p.drawText(glass.adjusted(6, 3, -6, 0), Qt::AlignLeft | Qt::AlignTop, "230V  50.0Hz");
  p.drawText(glass.adjusted(6, 0, -6, -3), Qt::AlignLeft | Qt::AlignBottom, "BAT 24.1V");
}

void drawStartStopKeys(QPainter& p) {
  struct Key {
    QPoint centre;
    QColor colour;
    const char* symbol;
    const char* name;
  };
  const Key keys[] = {{{238, 256}, QColor(30, 150, 60), "I", "START"},
                      {{282, 256}, QColor(200, 35, 30), "O", "STOP"}};
  for (const Key& key : keys) {
    QRadialGradient shade(key.centre - QPoint(4, 4), 18);
    shade.setColorAt(0, key.colour.lighter(140));
    shade.setColorAt(1, key.colour);
    p.setPen(QPen(key.colour.darker(160), 1));
    p.setBrush(shade);
    p.drawEllipse(key.centre, 15, 15);
    p.setPen(Qt::white);
    p.setFont(smallFont(p, 13, true));
    p.drawText(QRect(key.centre.x() - 15, key.centre.y() - 15, 30, 30), Qt::AlignCenter,
               key.symbol);
    p.setPen(kInk);
    p.setFont(smallFont(p, 7, true));
    p.drawText(QRect(key.centre.x() - 20, key.centre.y() + 17, 40, 10), Qt::AlignCenter, key.name);
  }
}

}  // namespace

QRect twipRect(int left, int top, int width, int height) {
  return QRect(twips(left), twips(top), twips(width), twips(height));
}

Lamp::Lamp(const QString& name, Shape shape, QColor colour, QWidget* parent)
    : QWidget(parent), shape_(shape), colour_(colour) {
  setObjectName(name);
  setAttribute(Qt::WA_TranslucentBackground);
}

void Lamp::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QRadialGradient glow(r.center(), std::max(r.width(), r.height()) * 0.7);
  glow.setColorAt(0, colour_.lighter(160));
  glow.setColorAt(1, colour_);
  p.setPen(QPen(colour_.darker(150), 1));
  p.setBrush(glow);
  if (shape_ == Shape::Round) p.drawEllipse(r);
  else p.drawRect(r);
}

FrontPanel::FrontPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("Picture1");
  setFixedSize(kSize, kSize);
  addLamps();
}

void FrontPanel::addLamps() {
  for (int i = 0; i < 5; ++i) {
    auto* lamp = new Lamp(QStringLiteral("ledmode(%1)").arg(i), Lamp::Shape::Round, kGreen, this);
    lamp->setGeometry(modeLampRect(i));
  }
  auto* off = new Lamp("ledoff", Lamp::Shape::Round, kRed, this);
  off->setGeometry(offLampRect());
  for (int i = 0; i < 7; ++i) {
    auto* lamp = new Lamp(QStringLiteral("ledsecuencia(%1)").arg(i), Lamp::Shape::Bar,
                          i == 5 ? kRed : kGreen, this);
    lamp->setGeometry(sequenceLampRect(i));
  }
  for (int i = 0; i < 6; ++i) {
    auto* lamp = new Lamp(QStringLiteral("ledalarm(%1)").arg(i), Lamp::Shape::Bar, kRed, this);
    lamp->setGeometry(alarmLampRect(i));
  }
}

void FrontPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  drawBezel(p, rect().adjusted(2, 2, -2, -2));
  drawHeader(p);
  drawDiagram(p);
  for (int i = 0; i < 7; ++i) drawSocket(p, sequenceLampRect(i), false);
  drawModeKeys(p);
  drawAlarmRow(p);
  drawDisplay(p);
  drawStartStopKeys(p);
}

}  // namespace orvex
