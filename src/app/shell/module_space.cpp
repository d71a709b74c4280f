#include "app/shell/module_space.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "app/module/module_page.h"

namespace zeph {

ModuleSpace::ModuleSpace(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("ZephModuleSpace"));
  setFrameShape(QFrame::NoFrame);
  // Tab goes into the module's controls; the space is no stop of its own.
  setFocusPolicy(Qt::NoFocus);
  viewport()->setBackgroundRole(QPalette::Window);
  viewport()->setAutoFillBackground(true);
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
    bar->setSingleStep(kLineStep);
    bar->setPageStep(kPageStep);
    bar->setRange(0, 0);
  }
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ModuleSpace::SetCurrentModule(ModulePage* module) {
  module_ = module;
  Relayout();
}

void ModuleSpace::Relayout() {
  if (module_ == nullptr) return;
  // The module fills the space, and scrolls where the space is smaller
  // than the module can get. Showing or hiding one bar changes the room
  // along the other axis, so this is worked out again until the room stays
  // the same.
  for (int pass = 0; pass < 3; ++pass) {
    const QSize room = viewport()->size();
    module_->resize(room.expandedTo(module_->SmallestSize()));
    horizontalScrollBar()->setRange(0, std::max(0, module_->width() - room.width()));
    verticalScrollBar()->setRange(0, std::max(0, module_->height() - room.height()));
    if (viewport()->size() == room) break;
  }
  PlaceModule();
}

void ModuleSpace::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Relayout();
}

void ModuleSpace::scrollContentsBy(int, int) {
  PlaceModule();
}

void ModuleSpace::PlaceModule() {
  if (module_ == nullptr) return;
  module_->move(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

void ModuleSpace::keyPressEvent(QKeyEvent* event) {
  ForwardKey(event);
}

void ModuleSpace::keyReleaseEvent(QKeyEvent* event) {
  ForwardKey(event);
}

void ModuleSpace::ForwardKey(QKeyEvent* event) {
  // A key the module hands to one of its controls, and that the control
  // leaves alone, rises through the module back to here; handing it on
  // again would never end.
  if (module_ == nullptr || forwarding_) {
    event->ignore();
    return;
  }
  forwarding_ = true;
  const bool used = module_->ForwardKey(event);
  forwarding_ = false;
  if (!used) event->ignore();
}

}  // namespace zeph
