#include "app/controls/module_list.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace zeph {
namespace {

constexpr int kTopMargin = 8;
constexpr int kDesignEntryHeight = 70;  // the least, and all it takes at the usual font sizes
constexpr int kEntryGap = 4;
constexpr int kIconSize = 32;
constexpr int kSideMargin = 6;
// In an entry's box: above the icon, between the icon and the name, and
// below the name.
constexpr int kIconTop = 7;
constexpr int kNameGap = 2;
constexpr int kNameBottom = 7;

}  // namespace

ModuleList::ModuleList(QWidget* parent) : QListWidget(parent) {
  setObjectName(QStringLiteral("ZephButtonBar"));
  setAccessibleName(QStringLiteral("Folders"));
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setMouseTracking(true);
}

void ModuleList::AddModule(const QIcon& icon, const QString& name, const QString& description) {
  auto* item = new QListWidgetItem(icon, name, this);  // owned by the list
  item->setToolTip(description);
  item->setData(Qt::AccessibleDescriptionRole, description);
  // The rows are the entries' slots; the first also holds the top margin,
  // so that each entry's box lies inside its own row.
  const int height = EntryHeight();
  item->setSizeHint(QSize(kNarrowest, count() == 1 ? kTopMargin + height : height));
  viewport()->update();
}

void ModuleList::SetModuleName(int index, const QString& name) {
  if (QListWidgetItem* entry = item(index)) entry->setText(name);
  viewport()->update();
}

void ModuleList::Select(int index) {
  if (index < 0 || index >= Count()) return;
  setCurrentRow(index);
  viewport()->update();
}

int ModuleList::MinimumWidth() const {
  // The chosen entry's name is bold, so it is measured bold.
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int widest = 0;
  for (int i = 0; i < Count(); ++i) {
    widest = std::max(widest, metrics.horizontalAdvance(item(i)->text()));
  }
  return std::max(kNarrowest, widest + 4 * kSideMargin);
}

int ModuleList::EntryHeight() const {
  // A large font makes the entries taller: the name stays inside its box.
  const int needed =
      kIconTop + kIconSize + kNameGap + fontMetrics().height() + kNameBottom + kEntryGap;
  return std::max(kDesignEntryHeight, needed);
}

QRect ModuleList::EntryRect(int index) const {
  const int height = EntryHeight();
  return QRect(kSideMargin, kTopMargin + index * height - verticalOffset(),
               viewport()->width() - 2 * kSideMargin, height - kEntryGap);
}

int ModuleList::EntryAt(QPoint position) const {
  for (int i = 0; i < Count(); ++i) {
    if (EntryRect(i).contains(position)) return i;
  }
  return -1;
}

void ModuleList::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor face = palette().color(QPalette::Window);
  QLinearGradient panel(0, 0, viewport()->width(), 0);
  panel.setColorAt(0, face.darker(112));
  panel.setColorAt(1, face.darker(104));
  painter.fillRect(viewport()->rect(), panel);
  for (int i = 0; i < Count(); ++i) PaintEntry(painter, i);
}

void ModuleList::PaintEntry(QPainter& painter, int index) const {
  const QListWidgetItem* entry = item(index);
  const bool selected = index == currentRow();
  const QRectF box = QRectF(EntryRect(index)).adjusted(0.5, 0.5, -0.5, -0.5);
  if (selected || index == hot_) {
    const QColor highlight = palette().color(QPalette::Highlight);
    QColor fill = highlight;
    fill.setAlpha(selected ? (hasFocus() ? 90 : 70) : 30);
    painter.setPen(QPen(selected ? highlight : fill, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 5, 5);
  }
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  const QPixmap icon = entry->icon().pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF(), mode);
  const int iconX = static_cast<int>(box.center().x()) - kIconSize / 2;
  const int shift = index == pressed_ ? 1 : 0;
  painter.drawPixmap(iconX + shift, static_cast<int>(box.top()) + kIconTop + shift, icon);
  QFont font = this->font();
  font.setBold(selected);
  painter.setFont(font);
  painter.setPen(palette().color(QPalette::WindowText));
  const QRectF textBox(box.left() + 2, box.top() + kIconTop + kIconSize + kNameGap, box.width() - 4,
                       box.height() - kIconTop - kIconSize - kNameGap);
  painter.drawText(textBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, entry->text());
}

// The mouse picks an entry on release over the entry it was pressed on;
// the highlight moves only when the frame switches.
void ModuleList::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = EntryAt(event->position().toPoint());
  viewport()->update();
}

void ModuleList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int index = EntryAt(event->position().toPoint());
  const bool chosen = index >= 0 && index == pressed_;
  pressed_ = -1;
  viewport()->update();
  if (chosen) emit ModuleChosen(index);
}

void ModuleList::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void ModuleList::mouseMoveEvent(QMouseEvent* event) {
  const int index = EntryAt(event->position().toPoint());
  if (index != hot_) {
    hot_ = index;
    viewport()->update();
  }
}

void ModuleList::leaveEvent(QEvent*) {
  hot_ = -1;
  viewport()->update();
}

void ModuleList::keyPressEvent(QKeyEvent* event) {
  if (Count() == 0) return;
  switch (event->key()) {
    case Qt::Key_Space:
      if (currentRow() >= 0) emit ModuleChosen(currentRow());
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter also goes into the module, as Tab would.
      if (currentRow() >= 0) emit ModuleChosen(currentRow());
      focusNextChild();
      return;
    default:
      break;
  }
  // The arrow keys, Home, End and typing a name's first letters move the
  // highlight; the module follows it at once.
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) emit ModuleBrowsed(currentRow());
  viewport()->update();
}

void ModuleList::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  viewport()->update();
}

void ModuleList::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  viewport()->update();
}

}  // namespace zeph
