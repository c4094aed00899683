#pragma once
#include <QColor>

class QWidget;

namespace orvex {

// The colours the editor marks states with.
namespace colours {
inline const QColor kBlack{0, 0, 0};
inline const QColor kWhite{255, 255, 255};
inline const QColor kGrey{128, 128, 128};
inline const QColor kLightYellow{255, 255, 192};
inline const QColor kLightRed{255, 192, 192};
}  // namespace colours

// The text colour of a label, check box or option button, in every state.
void setTextColour(QWidget* widget, const QColor& colour);
QColor textColour(const QWidget* widget);
// Background and text of a text box.
void setBoxColours(QWidget* box, const QColor& background, const QColor& text);
QColor boxBackground(const QWidget* box);
QColor boxTextColour(const QWidget* box);

}  // namespace orvex
