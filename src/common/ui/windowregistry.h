#pragma once
#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace orvex {

// Creates each window on first use (running its load step once) and hands out the same
// instance afterwards; windows are hidden, never destroyed, until the program ends. A window
// another one holds as its child (ConfigCOM under the main window) still goes in its turn.
class WindowRegistry {
 public:
  using Factory = std::function<QWidget*()>;

  void add(const QString& name, const Factory& factory);
  QWidget* window(const QString& name);          // creates it if needed; null if unknown
  QWidget* existing(const QString& name) const;  // null if not created yet
  bool known(const QString& name) const { return factories_.contains(name); }
  QStringList names() const { return order_; }
  // Destroys the created windows in the given order (the exit sequence's unload order).
  void unloadAll(const QStringList& order);

  template <typename T>
  T* get(const QString& name) {
    return qobject_cast<T*>(window(name));
  }

 private:
  void releaseOwnedWindows(QWidget* owner);

  QHash<QString, Factory> factories_;
  QHash<QString, QPointer<QWidget>> created_;
  QStringList order_;
};

}  // namespace orvex
