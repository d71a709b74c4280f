#include "app/folders/folder_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

#include "app/base/control_id.h"
#include "app/folders/message_list_model.h"

namespace zeph {

FolderListView::FolderListView(QWidget* parent) : QTreeView(parent) {
  SetControlId(this, ControlId::kModuleList);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  // Every row is one line high, so the view never measures ten thousand
  // rows to lay them out.
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setAlternatingRowColors(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setIconSize(QSize(16, 16));
  setContextMenuPolicy(Qt::CustomContextMenu);
  header()->setStretchLastSection(true);
  header()->setSectionsMovable(false);
  header()->setSectionsClickable(true);
  header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void FolderListView::SetFolderModel(MessageListModel* model) {
  model_ = model;
  setModel(model);
}

int FolderListView::SelectedKey() const {
  if (model_ == nullptr) return -1;
  const QModelIndex current = currentIndex();
  if (current.isValid() && selectionModel()->isSelected(current)) {
    return model_->KeyOfRow(current.row());
  }
  const QModelIndexList rows = selectionModel()->selectedRows();
  if (rows.isEmpty()) return -1;
  const auto first = std::min_element(
      rows.begin(), rows.end(),
      [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  return model_->KeyOfRow(first->row());
}

std::vector<int> FolderListView::SelectedKeys() const {
  std::vector<int> keys;
  if (model_ == nullptr) return keys;
  for (const QModelIndex& row : selectionModel()->selectedRows()) {
    keys.push_back(model_->KeyOfRow(row.row()));
  }
  return keys;
}

int FolderListView::MarkRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : 0;
}

void FolderListView::SelectRow(int row) {
  if (model_ == nullptr || row < 0 || row >= model_->rowCount()) return;
  const QModelIndex index = model_->index(row, 0);
  selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(index);
}

void FolderListView::AdjustColumns() {
  const int columns = header()->count();
  if (columns == 0) return;
  const int share = viewport()->width() / columns;
  for (int c = 0; c < columns - 1; ++c) {
    setColumnWidth(c, std::max(share, header()->sectionSizeHint(c)));
  }
}

void FolderListView::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    // The view's own Enter would only "activate" the row, which a desktop
    // may also do on a single click; the folders want it for Enter alone.
    if (currentIndex().isValid()) emit EnterPressed();
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void FolderListView::resizeEvent(QResizeEvent* event) {
  QTreeView::resizeEvent(event);
  AdjustColumns();
}

}  // namespace zeph
