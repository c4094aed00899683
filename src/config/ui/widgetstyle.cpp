#include "widgetstyle.h"

#include <QPalette>
#include <QWidget>

namespace orvex {
namespace {

void setRole(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    palette.setColor(group, role, colour);
  widget->setPalette(palette);
}

}  // namespace

void setTextColour(QWidget* widget, const QColor& colour) {
  setRole(widget, QPalette::WindowText, colour);
  setRole(widget, QPalette::ButtonText, colour);
  setRole(widget, QPalette::Text, colour);
}

QColor textColour(const QWidget* widget) {
  return widget->palette().color(QPalette::Active, QPalette::WindowText);
}

void setBoxColours(QWidget* box, const QColor& background, const QColor& text) {
  setRole(box, QPalette::Base, background);
  setRole(box, QPalette::Text, text);
}

QColor boxBackground(const QWidget* box) {
  return box->palette().color(QPalette::Active, QPalette::Base);
}

QColor boxTextColour(const QWidget* box) {
  return box->palette().color(QPalette::Active, QPalette::Text);
}

}  // namespace orvex
