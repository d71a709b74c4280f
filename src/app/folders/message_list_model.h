#pragma once
// The rows of a message folder's list, as a model over the folder's
// MessageList: one row per record, in list order after every rebuild, each
// row's key being its record's index in the list. No row object is made:
// a row's texts and icon are worked out by core's rules (the contact
// lookup, the date text, the status texts, the icon rules) when the view
// asks for them, so a folder of ten thousand messages costs one vector of
// keys. A column click sorts the rows only: the list keeps its order.

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>
#include <cstdint>
#include <vector>

#include "app/folders/folder_list.h"
#include "core/resources/string_table.h"
#include "core/store/app_lists.h"

namespace zeph {

// What a column shows for a record.
enum class ColumnContent {
  kNumberName,    // ContactNameLookup of the first number
  kDateTime,      // the folders' date and time text
  kText,          // the text (Delivery reports' "Message")
  kOutboxStatus,  // "Waiting", "Sending...", "Failed"
  kReportStatus,  // "Pending", "Delivered", "Failed"
};

struct FolderColumn {
  StringId title;
  ColumnContent content;
  int sortAscending;  // the column's ascending sort code; 0: a click does not sort
};

// A folder's row icons: the images in image-index order, and the rule that
// gives a record's image index from its flags.
struct RowIcons {
  std::vector<QIcon> images;
  int (*imageOf)(uint32_t flags) = nullptr;
};

class MessageListModel final : public QAbstractItemModel {
  Q_OBJECT

 public:
  // The key of a row (its record's index in the list), as an int.
  static constexpr int kKeyRole = Qt::UserRole;

  // `folder` and `contacts` outlive the model.
  MessageListModel(const FolderList& folder, const ContactList& contacts,
                   std::vector<FolderColumn> columns, RowIcons icons, QObject* parent);

  // One row per record of the list as it is now, in list order.
  void Rebuild();
  // No rows.
  void Clear();
  // Puts the rows in the order of `sortCode` (core's CompareRecords); rows
  // that compare equal keep their order. The list is not touched.
  void Sort(int sortCode);
  // The record behind the row with `key` changed: its row is drawn again.
  void RecordChanged(int key);

  // -1 for a row or key that is not there.
  int KeyOfRow(int row) const;
  int RowOfKey(int key) const;
  const std::vector<FolderColumn>& Columns() const { return columns_; }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  QString CellText(const MessageRecord& record, ColumnContent content) const;

  const FolderList& folder_;
  const ContactList& contacts_;
  std::vector<FolderColumn> columns_;
  RowIcons icons_;
  std::vector<int> keys_;  // the key of each row, in row order
};

}  // namespace zeph
