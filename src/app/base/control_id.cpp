#include "app/controls/control_id.h"

namespace zeph {

void SetControlId(QWidget* control, int id) {
  control->setProperty(kControlIdProperty, id);
  if (control->objectName().isEmpty()) control->setObjectName(QStringLiteral("control%1").arg(id));
}

int ControlIdOf(const QWidget* control) { return control->property(kControlIdProperty).toInt(); }

QWidget* FindControl(const QWidget* parent, int id) {
  const auto children = parent->findChildren<QWidget*>();
  for (QWidget* child : children) {
    if (ControlIdOf(child) == id) return child;
  }
  return nullptr;
}

}  // namespace zeph
