#pragma once
// Controls carry the numeric id under which the program and its tests
// address them (list view 8001, title 8006, ...), as a widget property.

#include <QWidget>

namespace zeph {

inline constexpr const char* kControlIdProperty = "controlId";

void SetControlId(QWidget* control, int id);
int ControlIdOf(const QWidget* control);

// The first descendant of `parent` with that id, or nullptr.
QWidget* FindControl(const QWidget* parent, int id);

template <typename T>
T* FindControlAs(const QWidget* parent, int id) {
  return qobject_cast<T*>(FindControl(parent, id));
}

}  // namespace zeph
