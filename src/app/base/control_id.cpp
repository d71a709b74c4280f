#include "app/base/control_id.h"

namespace zeph {
namespace {

constexpr const char* kControlIdProperty = "controlId";

}  // namespace

void SetControlId(QWidget* control, ControlId id) {
  control->setProperty(kControlIdProperty, static_cast<int>(id));
}

int ControlIdOf(const QWidget* control) {
  return control->property(kControlIdProperty).toInt();
}

QWidget* FindControl(const QWidget* parent, ControlId id) {
  const auto children = parent->findChildren<QWidget*>();
  for (QWidget* child : children) {
    if (ControlIdOf(child) == static_cast<int>(id)) return child;
  }
  return nullptr;
}

}  // namespace zeph
