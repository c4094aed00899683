#pragma once
#include <QString>
#include <QStringList>

class QObject;
class QPushButton;
class QWidget;

namespace orvex {

// Puts a caption on a control of any kind: a window's title, a button's or label's text,
// a frame's title. Returns false for an object that has no caption.
bool setCaption(QObject* control, const QString& text);
QString caption(const QObject* control);

// The width a window needs so that a window manager shows `titles` whole in its title bar
// (bold, as most draw it, beside the window's buttons).
int titleBarWidth(const QWidget* window, const QStringList& titles);

// A push button named as the text items address it ("Command1"), with its design caption.
QPushButton* namedButton(const char* name, const QString& caption, QWidget* parent = nullptr);

// The child of `window` whose objectName is `name` (the window itself for an empty name).
QObject* findControl(QWidget* window, const QString& name);

}  // namespace orvex
