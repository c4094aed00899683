#pragma once

class QWidget;

namespace orvex {

// Puts `window` over the middle of `anchor` and wholly on the anchor's screen, where the user
// looks, rather than where a window manager happens to put it (partly off the screen, below a
// laptop's edge). A null or hidden anchor leaves the window where it is.
void placeOver(QWidget* window, const QWidget* anchor);

}  // namespace orvex
