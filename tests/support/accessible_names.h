#pragma once
// The accessible tree as assistive technology reads it: the name a control
// is announced by, and every control the keyboard reaches without one.

#include <QAccessible>
#include <QStringList>
#include <QWidget>

namespace zeph::testing {

inline QString AccessibleName(QObject* object) {
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(object);
  return node == nullptr ? QStringLiteral("<none>") : node->text(QAccessible::Name);
}

// Every shown, focusable node under `node` without a name, by its path of
// child indexes and its role. Separators take the focus but say nothing.
inline void CollectUnnamed(QAccessibleInterface* node, const QString& path, QStringList& unnamed) {
  if (node == nullptr || node->state().invisible) return;
  if (node->state().focusable && node->role() != QAccessible::Separator &&
      node->text(QAccessible::Name).trimmed().isEmpty()) {
    unnamed << QStringLiteral("%1 (role %2)").arg(path).arg(node->role());
  }
  for (int i = 0; i < node->childCount(); ++i) {
    CollectUnnamed(node->child(i), path + u'/' + QString::number(i), unnamed);
  }
}

inline QStringList Unnamed(QWidget* window) {
  QStringList unnamed;
  CollectUnnamed(QAccessible::queryAccessibleInterface(window), QStringLiteral("."), unnamed);
  return unnamed;
}

}  // namespace zeph::testing
