#pragma once

class QWidget;

namespace orvex {

// Where windows open. A window is kept wholly inside the available area of its screen (not
// under a task bar or panel), frame and title bar included: moved in, and made smaller when it
// is larger than that area (a 2560 x 1600 screen at 2x scaling leaves 1280 x 800).

// Puts `window` over the middle of `anchor`, on the anchor's screen, where the user looks,
// rather than where a window manager happens to put it. A null or hidden anchor leaves the
// window where it is, kept inside its screen.
void placeOver(QWidget* window, const QWidget* anchor);

// Moves `window` inside its screen, made smaller when it must be. `like`: a shown window of
// the program whose frame this one has too, while this one's own is not known yet.
void keepOnScreen(QWidget* window, const QWidget* like = nullptr);

// Shows, raises and activates `window`: the first time over `anchor`, afterwards where the
// user left it; either way inside its screen, with the size it has once shown.
void showOver(QWidget* window, const QWidget* anchor);

}  // namespace orvex
