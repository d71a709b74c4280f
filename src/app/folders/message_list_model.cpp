#include "app/folders/message_list_model.h"

#include <algorithm>
#include <numeric>

#include "app/base/texts.h"
#include "app/folders/record_texts.h"
#include "core/folders/folder_status.h"
#include "core/folders/sort_order.h"

namespace zeph {

MessageListModel::MessageListModel(const FolderList& folder, const ContactList& contacts,
                                   std::vector<FolderColumn> columns, RowIcons icons,
                                   QObject* parent)
    : QAbstractItemModel(parent),
      folder_(folder),
      contacts_(contacts),
      columns_(std::move(columns)),
      icons_(std::move(icons)) {}

void MessageListModel::Rebuild() {
  beginResetModel();
  keys_.resize(static_cast<size_t>(folder_.Count()));
  std::iota(keys_.begin(), keys_.end(), 0);
  endResetModel();
}

void MessageListModel::Clear() {
  beginResetModel();
  keys_.clear();
  endResetModel();
}

void MessageListModel::Sort(int sortCode) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> keysBefore;
  keysBefore.reserve(static_cast<size_t>(before.size()));
  for (const QModelIndex& index : before) keysBefore.push_back(KeyOfRow(index.row()));

  folder_.WithList([&](const MessageList& list) {
    std::stable_sort(keys_.begin(), keys_.end(), [&](int a, int b) {
      const MessageRecord* first = list.GetAt(a);
      const MessageRecord* second = list.GetAt(b);
      // A record gone since the rebuild sorts last, and changes nothing.
      if (first == nullptr || second == nullptr) return first != nullptr && second == nullptr;
      return CompareRecords(*first, *second, sortCode, contacts_) < 0;
    });
  });

  // The selection and the current row follow their records.
  std::vector<int> rowOfKey(keys_.size(), -1);
  for (size_t row = 0; row < keys_.size(); ++row) {
    const int key = keys_[row];
    if (key >= 0 && static_cast<size_t>(key) < rowOfKey.size()) {
      rowOfKey[static_cast<size_t>(key)] = static_cast<int>(row);
    }
  }
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    const int key = keysBefore[static_cast<size_t>(i)];
    const int row = key < 0 ? -1 : rowOfKey[static_cast<size_t>(key)];
    after.append(row < 0 ? QModelIndex() : index(row, before[i].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void MessageListModel::RecordChanged(int key) {
  const int row = RowOfKey(key);
  if (row < 0) return;
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int MessageListModel::KeyOfRow(int row) const {
  if (row < 0 || static_cast<size_t>(row) >= keys_.size()) return -1;
  return keys_[static_cast<size_t>(row)];
}

int MessageListModel::RowOfKey(int key) const {
  const auto found = std::find(keys_.begin(), keys_.end(), key);
  return found == keys_.end() ? -1 : static_cast<int>(found - keys_.begin());
}

QModelIndex MessageListModel::index(int row, int column, const QModelIndex& parent) const {
  if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) {
    return {};
  }
  return createIndex(row, column);
}

QModelIndex MessageListModel::parent(const QModelIndex&) const {
  return {};
}

int MessageListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(keys_.size());
}

int MessageListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant MessageListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.model() != this) return {};
  const int key = KeyOfRow(index.row());
  if (role == kKeyRole) return key;
  if (role != Qt::DisplayRole && role != Qt::DecorationRole && role != Qt::AccessibleTextRole) {
    return {};
  }
  const ColumnContent content = columns_[static_cast<size_t>(index.column())].content;
  return folder_.WithList([&](const MessageList& list) -> QVariant {
    const MessageRecord* record = list.GetAt(key);
    if (record == nullptr) return {};  // gone since the rebuild: the next one drops the row
    if (role != Qt::DecorationRole) return CellText(*record, content);
    if (index.column() != 0 || icons_.imageOf == nullptr) return {};
    const int image = icons_.imageOf(record->flags);
    if (image < 0 || static_cast<size_t>(image) >= icons_.images.size()) return {};
    return icons_.images[static_cast<size_t>(image)];
  });
}

QString MessageListModel::CellText(const MessageRecord& record, ColumnContent content) const {
  switch (content) {
    case ColumnContent::kNumberName:
      return NumberNameText(record, contacts_);
    case ColumnContent::kDateTime:
      return FolderDateText(record.time);
    case ColumnContent::kText:
      return FromCp1252(TextOf(record));
    case ColumnContent::kOutboxStatus: {
      const int id = OutboxStatusStringId(record.flags);
      return id == 0 ? QString() : FromCp1252(LoadString(id));
    }
    case ColumnContent::kReportStatus:
      return FromCp1252(ReportStatusText(record.flags));
  }
  return {};
}

QVariant MessageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= columnCount()) {
    return {};
  }
  return Text(columns_[static_cast<size_t>(section)].title);
}

Qt::ItemFlags MessageListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace zeph
