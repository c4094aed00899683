#include "inputpictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace orvex {
namespace {

constexpr int kSize = 28;

QPixmap blank() {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QPainterPath drop(double x, double y, double w, double h) {
  QPainterPath path;
  path.moveTo(x + w / 2, y);
  path.cubicTo(x + w, y + h * 0.55, x + w, y + h, x + w / 2, y + h);
  path.cubicTo(x, y + h, x, y + h * 0.55, x + w / 2, y);
  return path;
}

void drawFuel(QPainter& p) {
  p.setBrush(QColor(200, 140, 20));
  p.drawPath(drop(7, 3, 14, 22));
}

void drawOil(QPainter& p) {
  p.setBrush(QColor(60, 60, 60));
  p.drawRoundedRect(QRectF(3, 12, 18, 11), 2, 2);
  p.drawLine(QPointF(21, 14), QPointF(26, 10));
  p.setBrush(QColor(200, 140, 20));
  p.drawPath(drop(22, 16, 5, 8));
}

void drawTemperature(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(11, 2, 6, 18), 3, 3);
  p.setBrush(QColor(200, 30, 30));
  p.drawEllipse(QRectF(8, 16, 12, 11));
  p.drawRect(QRectF(13, 8, 2, 10));
}

void drawExternal(QPainter& p) {
  QPainterPath triangle;
  triangle.moveTo(14, 2);
  triangle.lineTo(26, 25);
  triangle.lineTo(2, 25);
  triangle.closeSubpath();
  p.setBrush(QColor(240, 200, 0));
  p.drawPath(triangle);
  p.setBrush(Qt::black);
  p.drawRect(QRectF(13, 9, 2, 9));
  p.drawEllipse(QRectF(12.5, 20, 3, 3));
}

void drawOverload(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(2, 2, 24, 24));
  QPainterPath wave;
  wave.moveTo(6, 14);
  wave.cubicTo(9, 4, 12, 4, 14, 14);
  wave.cubicTo(16, 24, 19, 24, 22, 14);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(200, 30, 30), 2));
  p.drawPath(wave);
}

}  // namespace

QPixmap ledPixmap() {
  QPixmap pixmap = blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient glow(QPointF(11, 11), 12);
  glow.setColorAt(0, QColor(255, 180, 180));
  glow.setColorAt(1, QColor(200, 0, 0));
  p.setPen(QPen(QColor(90, 0, 0), 1));
  p.setBrush(glow);
  p.drawEllipse(QRectF(4, 4, 20, 20));
  return pixmap;
}

QPixmap symbolPixmap(InputSymbol symbol) {
  QPixmap pixmap = blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  switch (symbol) {
    case InputSymbol::Fuel: drawFuel(p); break;
    case InputSymbol::Oil: drawOil(p); break;
    case InputSymbol::Temperature: drawTemperature(p); break;
    case InputSymbol::External: drawExternal(p); break;
    case InputSymbol::Overload: drawOverload(p); break;
  }
  return pixmap;
}

}  // namespace orvex
