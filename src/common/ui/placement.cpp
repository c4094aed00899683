#include "placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace orvex {

void placeOver(QWidget* window, const QWidget* anchor) {
  if (!anchor || !anchor->isVisible()) return;
  const QSize size = window->size().expandedTo(window->sizeHint());
  QRect target(QPoint(), size);
  target.moveCenter(anchor->frameGeometry().center());
  if (const QScreen* display = anchor->screen()) {
    const QRect area = display->availableGeometry();
    const int right = std::max(area.left(), area.right() - size.width());
    const int bottom = std::max(area.top(), area.bottom() - size.height());
    target.moveTopLeft({std::clamp(target.left(), area.left(), right),
                        std::clamp(target.top(), area.top(), bottom)});
  }
  window->move(target.topLeft());
}

}  // namespace orvex
