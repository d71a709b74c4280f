#include "app/controls/bar_window.h"

#include <QVBoxLayout>

#include "app/base/program_bitmaps.h"
#include "app/controls/action_bar.h"

namespace zeph {

QVBoxLayout* LayOutBarWindow(QWidget* window, ActionBar* bar, int margin) {
  auto* outer = new QVBoxLayout(window);  // owned by the window
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->addWidget(bar);
  auto* body = new QVBoxLayout;  // owned by the outer layout
  body->setContentsMargins(kLeftStripWidth + margin, margin, margin, margin);
  outer->addLayout(body, 1);
  return body;
}

}  // namespace zeph
