#include "app/module/module_page.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/base/folder_actions.h"
#include "app/base/program_store.h"
#include "app/base/texts.h"
#include "app/controls/report_list_view.h"

namespace zeph {

ModulePage::ModulePage(int index, const ModuleServices& services, QWidget* parent)
    : QWidget(parent),
      index_(index),
      services_(services),
      column_(new QVBoxLayout(this)) {  // owned by the module
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
}

const ModuleRow& ModulePage::Row() const {
  return kModuleTable[static_cast<size_t>(index_)];
}

void ModulePage::SetInitialSize(QSize size) {
  initialSize_ = size;
  resize(SmallestSize());
}

QSize ModulePage::SmallestSize() const {
  return initialSize_.expandedTo(minimumSizeHint());
}

void ModulePage::PlaceTitleAndList(QWidget* title, QWidget* list) {
  column_->addWidget(title);
  column_->addWidget(list, 1);
}

void ModulePage::AddButtonRow(const std::vector<QPushButton*>& buttons) {
  auto* row = new QHBoxLayout;  // owned by the column
  for (QPushButton* button : buttons) {
    button->setAutoDefault(false);
    row->addWidget(button);
  }
  row->addStretch(1);
  column_->addLayout(row);
}

bool ModulePage::ForwardKey(QKeyEvent*) {
  return false;
}

void ModulePage::ChatPartnerChanged(const std::optional<std::string>&) {}

int ModulePage::SelectedKey() const {
  const auto* list = qobject_cast<const ReportListView*>(ListView());
  return list == nullptr ? -1 : list->GetCurSelParam();
}

void ModulePage::AddToContacts() {
  const int key = SelectedKey();
  if (key < 0) return;
  const MessageRecord* record = services_.store->Lists().inbox.GetAt(key);
  if (record != nullptr) emit OpenContactInformation(FirstNumber(*record));
}

void ModulePage::focusInEvent(QFocusEvent* event) {
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

void ModulePage::AdoptList(QAbstractItemView* list, QMenu* popup) {
  list_ = list;
  list->setAccessibleName(Text(Row().name));
  list->installEventFilter(this);
  if (popup == nullptr) return;
  connect(list, &QWidget::customContextMenuRequested, this, [list, popup](QPoint at) {
    // A chosen item triggers its action, which its owner carries out.
    popup->exec(list->viewport()->mapToGlobal(at));
  });
}

bool ModulePage::eventFilter(QObject* watched, QEvent* event) {
  if (watched != list_ ||
      (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)) {
    return QWidget::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Delete || key->modifiers() != Qt::NoModifier) return false;
  // The list takes Delete before the frame's shortcut would, and hands it
  // to the frame's Delete.
  event->accept();
  if (event->type() == QEvent::KeyPress) services_.actions->deleteSelected->trigger();
  return true;
}

}  // namespace zeph
