#include "captions.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace orvex {

QPushButton* namedButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

bool setCaption(QObject* control, const QString& text) {
  if (auto* b = qobject_cast<QAbstractButton*>(control)) b->setText(text);
  else if (auto* l = qobject_cast<QLabel*>(control)) l->setText(text);
  else if (auto* g = qobject_cast<QGroupBox*>(control)) g->setTitle(text);
  else if (auto* e = qobject_cast<QLineEdit*>(control)) e->setText(text);
  else if (auto* w = qobject_cast<QWidget*>(control); w && w->isWindow()) w->setWindowTitle(text);
  else return false;
  return true;
}

QString caption(const QObject* control) {
  if (auto* b = qobject_cast<const QAbstractButton*>(control)) return b->text();
  if (auto* l = qobject_cast<const QLabel*>(control)) return l->text();
  if (auto* g = qobject_cast<const QGroupBox*>(control)) return g->title();
  if (auto* e = qobject_cast<const QLineEdit*>(control)) return e->text();
  if (auto* w = qobject_cast<const QWidget*>(control)) return w->windowTitle();
  return {};
}

QObject* findControl(QWidget* window, const QString& name) {
  if (!window) return nullptr;
  if (name.isEmpty()) return window;
  return window->findChild<QObject*>(name);
}

int titleBarWidth(const QWidget* window, const QStringList& titles) {
  constexpr int kTitleBarReserve = 150;  // the window's buttons and the bar's margins
  QFont bold = window->font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int widest = 0;
  for (const QString& title : titles) widest = std::max(widest, metrics.horizontalAdvance(title));
  return widest + kTitleBarReserve;
}

}  // namespace orvex
