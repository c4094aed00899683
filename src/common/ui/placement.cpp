#include "placement.h"

#include <QMargins>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace orvex {
namespace {

constexpr char kPlacedProperty[] = "orvexPlaced";

QMargins frameAround(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

// The frame the window system draws around `window`: its own once it has one, else that of
// `like`, since a window manager decorates the windows of one program alike.
QMargins frameOf(const QWidget* window, const QWidget* like) {
  const QMargins own = frameAround(window);
  return own.isNull() && like ? frameAround(like) : own;
}

// Centres `window`'s frame on `centre`, inside the available area of `screen`.
void fitOnScreen(QWidget* window, const QScreen* screen, QPoint centre, QMargins frame) {
  const QRect area = screen->availableGeometry();
  QSize size = window->isVisible() ? window->size() : window->size().expandedTo(window->sizeHint());
  const QSize room = area.size().shrunkBy(frame);
  if (size.width() > room.width() || size.height() > room.height()) {
    window->resize(size.boundedTo(room));
    size = window->size();  // no smaller than its minimum
  }
  QRect outer(QPoint(), size.grownBy(frame));
  outer.moveCenter(centre);
  const int right = std::max(area.left(), area.left() + area.width() - outer.width());
  const int bottom = std::max(area.top(), area.top() + area.height() - outer.height());
  window->move(std::clamp(outer.left(), area.left(), right),
               std::clamp(outer.top(), area.top(), bottom));  // the frame's corner
}

}  // namespace

void placeOver(QWidget* window, const QWidget* anchor) {
  if (!anchor || !anchor->isVisible()) return keepOnScreen(window);
  if (const QScreen* screen = anchor->screen())
    fitOnScreen(window, screen, anchor->frameGeometry().center(), frameOf(window, anchor));
}

void keepOnScreen(QWidget* window, const QWidget* like) {
  if (const QScreen* screen = window->screen())
    fitOnScreen(window, screen, window->frameGeometry().center(), frameOf(window, like));
}

void showOver(QWidget* window, const QWidget* anchor) {
  const bool first = !window->property(kPlacedProperty).toBool();
  if (first) placeOver(window, anchor);  // near its place from the start
  window->show();
  // Shown, it has its real size (a window may size itself as it is first shown).
  if (first) placeOver(window, anchor);
  else keepOnScreen(window, anchor);
  window->setProperty(kPlacedProperty, true);
  window->raise();
  window->activateWindow();
}

}  // namespace orvex
