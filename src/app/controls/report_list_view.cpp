#include "app/controls/report_list_view.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <algorithm>

namespace zeph {
namespace {

constexpr int kKeyRole = Qt::UserRole;

}  // namespace

ReportListView::ReportListView(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setItemsExpandable(false);
  setAllColumnsShowFocus(true);
  setAlternatingRowColors(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setIconSize(QSize(16, 16));
  header()->setStretchLastSection(true);
  header()->setSectionsMovable(false);
  header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void ReportListView::SetHeader(const QStringList& titles) {
  setColumnCount(static_cast<int>(titles.size()));
  setHeaderLabels(titles);
}

void ReportListView::InitImageList(std::vector<QIcon> icons) {
  images_ = std::move(icons);
}

int ReportListView::AddItem(int imageIndex, int key, const QStringList& texts) {
  auto* item = new QTreeWidgetItem(this, texts);  // owned by the view
  item->setData(0, kKeyRole, key);
  if (imageIndex >= 0 && imageIndex < static_cast<int>(images_.size())) {
    item->setIcon(0, images_[static_cast<size_t>(imageIndex)]);
  }
  return indexOfTopLevelItem(item);
}

int ReportListView::GetCurSelParam() const {
  const auto selected = selectedItems();
  if (selected.isEmpty()) return -1;
  return selected.first()->data(0, kKeyRole).toInt();
}

int ReportListView::FindItemByParam(int key) const {
  for (int row = 0; row < topLevelItemCount(); ++row) {
    if (topLevelItem(row)->data(0, kKeyRole).toInt() == key) return row;
  }
  return -1;
}

void ReportListView::SetSelection(int row) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (item == nullptr) return;
  setCurrentItem(item);
  item->setSelected(true);
  scrollToItem(item);
}

void ReportListView::AdjustListView(int flags) {
  adjustFlags_ = flags;
  const int columns = columnCount();
  if (columns == 0) return;
  const int width = viewport()->width();
  if (flags & kAdjustFirstToText) resizeColumnToContents(0);
  if (flags & kAdjustFillWidth) {
    // Every column gets an equal share, but never less than its title.
    const int first = (flags & kAdjustFirstToText) ? 1 : 0;
    const int used = first == 1 ? columnWidth(0) : 0;
    const int share = std::max(0, width - used) / std::max(1, columns - first);
    for (int c = first; c < columns - 1; ++c) {
      const int title = header()->sectionSizeHint(c);
      setColumnWidth(c, std::max(share, title));
    }
  }
}

int ReportListView::KeyOfRow(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item == nullptr ? -1 : item->data(0, kKeyRole).toInt();
}

void ReportListView::resizeEvent(QResizeEvent* event) {
  QTreeWidget::resizeEvent(event);
  if (adjustFlags_ != 0) AdjustListView(adjustFlags_);
}

}  // namespace zeph
