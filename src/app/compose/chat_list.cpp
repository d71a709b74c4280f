#include "app/compose/chat_list.h"

#include <QPainter>
#include <QResizeEvent>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "app/base/dialog_fonts.h"
#include "app/base/texts.h"
#include "app/controls/message_text_control.h"
#include "core/folders/date_text.h"

namespace zeph {
namespace {

const QColor kOwnColour(0, 0, 255);
const QColor kPartnerColour(255, 0, 0);
const QColor kDateColour(0x9F, 0x9F, 0x9F);

// A message's own line breaks break its lines too; any other character is
// drawn as it is.
QString Paragraphs(QString text) {
  text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
  text.replace(u'\n', QChar::LineSeparator);
  text.replace(u'\r', QChar::LineSeparator);
  return text;
}

// Lays `layout` out in lines of `width`, one under the other; returns the
// height they take. A word longer than the line is broken inside, so that
// no part of a long number or address is lost.
int LayOut(QTextLayout& layout, int width) {
  QTextOption wrap;
  wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(wrap);
  layout.beginLayout();
  qreal height = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(std::max(1, width));
    line.setPosition(QPointF(0, height));
    height += line.height();
  }
  layout.endLayout();
  return static_cast<int>(std::ceil(height));
}

int WrappedHeight(const QString& text, int width, const QFont& font) {
  QTextLayout layout(Paragraphs(text), font);
  return LayOut(layout, width);
}

// Draws `text` word-wrapped in `box`; when it does not fit, the last line
// that does ends in an ellipsis.
void DrawWrapped(QPainter& painter, const QString& text, const QRect& box, const QFont& font) {
  const QString paragraphs = Paragraphs(text);
  QTextLayout layout(paragraphs, font, painter.device());
  LayOut(layout, box.width());
  const QFontMetrics metrics(font, painter.device());
  for (int i = 0; i < layout.lineCount(); ++i) {
    const QTextLine line = layout.lineAt(i);
    if (line.rect().bottom() > box.height()) break;
    const bool more = i + 1 < layout.lineCount();
    if (more && layout.lineAt(i + 1).rect().bottom() > box.height()) {
      QString rest = paragraphs.mid(line.textStart());
      rest.replace(QChar::LineSeparator, u' ');
      painter.drawText(QPointF(box.left(), box.top() + line.y() + line.ascent()),
                       metrics.elidedText(rest, Qt::ElideRight, box.width()));
      break;
    }
    line.draw(&painter, box.topLeft());
  }
}

int HeaderHeight(const QFont& font) {
  return QFontMetrics(font).height();
}

// The width of the rows: the list's client width.
int RowWidth(const QStyleOptionViewItem& option) {
  if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget)) {
    return view->viewport()->width();
  }
  return option.rect.width();
}

}  // namespace

std::vector<ChatRow> ChatRows(const MessageList& chat, std::string_view ownName,
                              std::string_view partnerName) {
  const QString own = FromCp1252(ownName);
  const QString partner = FromCp1252(partnerName);
  std::vector<ChatRow> rows;
  rows.reserve(static_cast<size_t>(chat.Count()));
  for (const MessageRecord& entry : chat) {
    ChatRow row;
    row.outgoing = (entry.flags & MRF_OUTGOING) != 0;
    row.speaker = row.outgoing ? own : partner;
    row.dateTime = FromCp1252(ChatRowDateTimeText(entry.time));
    if (entry.text) row.text = FromCp1252(*entry.text);
    if ((entry.flags & MRF_PICTURE) && entry.picture) row.picture = entry.picture;
    rows.push_back(std::move(row));
  }
  return rows;
}

void ChatListModel::SetRows(std::vector<ChatRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

const ChatRow* ChatListModel::RowAt(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<size_t>(row)];
}

int ChatListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ChatListModel::data(const QModelIndex& index, int role) const {
  const ChatRow* row = index.isValid() ? RowAt(index.row()) : nullptr;
  if (row == nullptr || role != Qt::DisplayRole) return {};
  return row->speaker + Text(StringId::kSaysSuffix) + u' ' + row->text.value_or(QString()) + u' ' +
         row->dateTime;
}

ChatRowDelegate::ChatRowDelegate(const ChatListModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

int ChatRowDelegate::RowHeight(const ChatRow& row, int width, const QFont& font) {
  const int header = HeaderHeight(font);
  if (!row.text && !row.picture) return header + 2 * kInset;
  int height = header + kInset;
  if (row.picture) height += kPictureBand;
  // Measured in the width the text is drawn in, so that no line is lost.
  if (row.text) height += WrappedHeight(*row.text, width - kIndent - kRightMargin, font);
  return height + kInset;
}

QSize ChatRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const ChatRow* row = model_.RowAt(index.row());
  const int width = RowWidth(option);
  if (row == nullptr) return {width, 0};
  return {width, RowHeight(*row, width, option.font)};
}

void ChatRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  const ChatRow* row = model_.RowAt(index.row());
  if (row == nullptr) return;
  painter->save();
  painter->setClipRect(option.rect);
  if (option.state & QStyle::State_Selected) {
    QColor selected = option.palette.color(QPalette::Highlight);
    selected.setAlpha(40);
    painter->fillRect(option.rect, selected);
  }
  const QFont& font = option.font;
  painter->setFont(font);
  const QFontMetrics metrics(font, painter->device());
  const QRect r = option.rect.translated(kInset, kInset);

  // The header line: "X says:" from the left, the date and time at the
  // right; a name too long for the line gives way to the date.
  const QRect header(r.left(), r.top(), r.width() - kDateMargin, HeaderHeight(font));
  painter->setPen(kDateColour);
  painter->drawText(header, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, row->dateTime);
  const int speakerWidth = header.width() - metrics.horizontalAdvance(row->dateTime);
  painter->setPen(row->outgoing ? kOwnColour : kPartnerColour);
  painter->drawText(header, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    metrics.elidedText(row->speaker + Text(StringId::kSaysSuffix), Qt::ElideRight,
                                       std::max(0, speakerWidth)));

  const int left = r.left() + kIndent;
  int top = header.bottom() + 1 + kInset;
  if (row->picture) {
    painter->drawImage(QPoint(left, top),
                       DrawPictureImage(*row->picture, 1, painter->device()->devicePixelRatioF()));
    top += kPictureBand;
  }
  if (row->text) {
    painter->setPen(Qt::black);
    DrawWrapped(
        *painter, *row->text,
        QRect(left, top, r.width() - kIndent - kRightMargin, option.rect.bottom() + 1 - top), font);
  }
  painter->restore();
}

ChatListView::ChatListView(QWidget* parent)
    : QListView(parent), model_(new ChatListModel(this)) {  // owned by the view
  setModel(model_);
  setItemDelegate(new ChatRowDelegate(*model_, this));  // owned by the view
  setFont(DialogFontRegular());
  setUniformItemSizes(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Every row is the list's width and wraps its text in it.
  setResizeMode(QListView::Adjust);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  setPalette(colours);
}

void ChatListView::SetRows(std::vector<ChatRow> rows) {
  model_->SetRows(std::move(rows));
  const int count = model_->rowCount();
  if (count == 0) return;
  const QModelIndex last = model_->index(count - 1);
  setCurrentIndex(last);
  // The rows are laid out when the list is next drawn; scroll then.
  scrollTo(last, QAbstractItemView::PositionAtBottom);
}

void ChatListView::resizeEvent(QResizeEvent* event) {
  QListView::resizeEvent(event);
  // Heights depend on the width: measure every row again.
  if (event->size().width() != event->oldSize().width()) scheduleDelayedItemsLayout();
}

}  // namespace zeph
