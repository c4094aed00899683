#include "windowregistry.h"

namespace orvex {

void WindowRegistry::add(const QString& name, const Factory& factory) {
  if (!factories_.contains(name)) order_.append(name);
  factories_.insert(name, factory);
}

QWidget* WindowRegistry::window(const QString& name) {
  if (QWidget* w = existing(name)) return w;
  const auto it = factories_.constFind(name);
  if (it == factories_.constEnd()) return nullptr;
  QWidget* w = (*it)();
  if (w && w->objectName().isEmpty()) w->setObjectName(name);
  created_.insert(name, w);
  return w;
}

QWidget* WindowRegistry::existing(const QString& name) const {
  const auto it = created_.constFind(name);
  return it == created_.constEnd() ? nullptr : it->data();
}

void WindowRegistry::unloadAll(const QStringList& order) {
  QStringList all = order;
  for (const QString& name : order_)
    if (!all.contains(name)) all.append(name);
  for (const QString& name : all) {
    if (QWidget* w = existing(name)) {
      w->hide();
      releaseOwnedWindows(w);
      delete w;
    }
    created_.remove(name);
  }
}

// A child window would otherwise go with its owner, before its own turn.
void WindowRegistry::releaseOwnedWindows(QWidget* owner) {
  for (const QPointer<QWidget>& w : std::as_const(created_))
    if (w && w->parentWidget() == owner) w->setParent(nullptr, w->windowFlags());
}

}  // namespace orvex
