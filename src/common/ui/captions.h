#pragma once
#include <QString>

class QObject;
class QWidget;

namespace orvex {

// Puts a caption on a control of any kind: a window's title, a button's or label's text,
// a frame's title. Returns false for an object that has no caption.
bool setCaption(QObject* control, const QString& text);
QString caption(const QObject* control);

// The child of `window` whose objectName is `name` (the window itself for an empty name).
QObject* findControl(QWidget* window, const QString& name);

}  // namespace orvex
