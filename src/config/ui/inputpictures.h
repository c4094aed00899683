#pragma once
#include <QPixmap>

namespace orvex {

enum class InputSymbol { Fuel, Oil, Temperature, External, Overload };

// The fixed pictures of an alarm input: its front-panel LED lit, and a symbol of the input.
QPixmap ledPixmap();
QPixmap symbolPixmap(InputSymbol symbol);

}  // namespace orvex
