#pragma once
// The chat window's conversation: one owner-drawn row per entry
// of the chat list, newest at the bottom. A row shows "X says:" in blue for
// the user's own lines and in red for the partner's, the date and time in
// grey at the right, then the picture at its natural size and the text,
// word-wrapped. Rows are as tall as what they show, measured again when the
// list's width changes.

#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <QStyledItemDelegate>
#include <optional>
#include <string_view>
#include <vector>

#include "core/store/message_record.h"

namespace zeph {

// One row of the conversation, as values.
struct ChatRow {
  bool outgoing = false;
  QString speaker;   // the own name on the user's lines, else the partner's
  QString dateTime;  // " dd.MM H:mm"
  std::optional<QString> text;
  std::optional<PictureImage> picture;
};

// The rows of `chat`, in its order.
std::vector<ChatRow> ChatRows(const MessageList& chat, std::string_view ownName,
                              std::string_view partnerName);

class ChatListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  void SetRows(std::vector<ChatRow> rows);
  // The row, or none outside the list.
  const ChatRow* RowAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  // The display text is the row read out: "Anna says: Hello  05.12 9:05".
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<ChatRow> rows_;
};

// Measures and draws the rows of a ChatListModel.
class ChatRowDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // Gap between the row's top left and its header, and between the header
  // and what follows it.
  static constexpr int kInset = 3;
  // The picture and the text stand this far in from the header's left...
  static constexpr int kIndent = 10;
  // ...and end this far from the row's right.
  static constexpr int kRightMargin = 15;
  // The date ends this far from the row's right.
  static constexpr int kDateMargin = 5;
  // Height given to a picture: 28 pixels and the space below it.
  static constexpr int kPictureBand = 35;

  ChatRowDelegate(const ChatListModel& model, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The height of `row` in a list whose rows are `width` wide, in `font`.
  static int RowHeight(const ChatRow& row, int width, const QFont& font);

 private:
  const ChatListModel& model_;
};

class ChatListView final : public QListView {
  Q_OBJECT

 public:
  explicit ChatListView(QWidget* parent);

  // Replaces the rows and selects the last one, scrolled into view.
  void SetRows(std::vector<ChatRow> rows);
  const ChatListModel& Model() const { return *model_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  ChatListModel* model_;  // owned by the view
};

}  // namespace zeph
