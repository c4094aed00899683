#pragma once
#include <QColor>
#include <QWidget>

namespace orvex {

// A lamp of the front panel: a lit shape the demonstration shows and hides.
class Lamp : public QWidget {
  Q_OBJECT
 public:
  enum class Shape { Round, Bar };
  Lamp(const QString& name, Shape shape, QColor colour, QWidget* parent);
  QColor colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Shape shape_;
  QColor colour_;
};

// The picture of the instrument's front panel (Picture1): bezel, header, single-line diagram
// of mains, generator and load, mode keys, alarm row, display and START/STOP keys. The
// lamps are its children, placed at the positions the demonstration uses; under each lamp
// the picture shows its unlit socket.
class FrontPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kSize = 317;  // 313 px of picture inside a 2 px border
  explicit FrontPanel(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void addLamps();
};

// Twips of the design to pixels (15 twips per pixel).
constexpr int twips(int value) { return (value + 7) / 15; }
QRect twipRect(int left, int top, int width, int height);

}  // namespace orvex
