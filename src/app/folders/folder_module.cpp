#include "app/folders/folder_module.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

#include "app/shell/app_context.h"
#include "app/shell/frame_menus.h"

namespace zeph {

FolderModule::FolderModule(int index, AppContext& context, QWidget* parent)
    : QWidget(parent), index_(index), context_(context) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
}

const ModuleRow& FolderModule::Row() const { return kModuleTable[static_cast<size_t>(index_)]; }

void FolderModule::SetInitialSize(QSize size) {
  initialSize_ = size;
  resize(size);
}

void FolderModule::SpaceResized(QSize spaceSize) {
  // A module fills a larger space but for a small margin, and never gets
  // smaller than it was made.
  QSize size = initialSize_;
  if (spaceSize.width() > initialSize_.width()) {
    size.setWidth(std::max(initialSize_.width(), spaceSize.width() - 10));
  }
  if (spaceSize.height() > initialSize_.height()) {
    size.setHeight(std::max(initialSize_.height(), spaceSize.height() - 5));
  }
  resize(size);
}

bool FolderModule::ForwardKey(QKeyEvent*) { return false; }

void FolderModule::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // As a dialog does, a module given the focus hands it on to its first
  // control that takes the keyboard, so the arrow keys work in its list at
  // once after a module switch.
  for (QWidget* next = nextInFocusChain(); next != this; next = next->nextInFocusChain()) {
    if (isAncestorOf(next) && next->isVisibleTo(this) && next->isEnabled() &&
        (next->focusPolicy() & Qt::TabFocus) != 0) {
      next->setFocus(event->reason());
      return;
    }
  }
}

void FolderModule::RunContextMenu(QPoint globalPos) {
  if (context_.contextPopup == nullptr) return;
  const QAction* chosen = context_.contextPopup->exec(globalPos);
  if (chosen == nullptr || !context_.frameCommand) return;
  context_.frameCommand(chosen->property(kCommandIdProperty).toInt());
}

}  // namespace zeph
