#include "app/controls/module_list.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>

namespace zeph {
namespace {

constexpr int kTopMargin = 8;
constexpr int kEntryHeight = 70;
constexpr int kIconSize = 32;
constexpr int kSideMargin = 6;

}  // namespace

ModuleList::ModuleList(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ZephButtonBar"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_Hover);
}

void ModuleList::AddModule(const QIcon& icon, const QString& name, const QString& description) {
  entries_.push_back({icon, name, description});
  updateGeometry();
  update();
}

void ModuleList::Select(int index) {
  if (index < 0 || index >= Count()) return;
  selected_ = index;
  update();
}

int ModuleList::MinimumWidth() const {
  // The chosen entry's name is bold, so it is measured bold.
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int widest = 0;
  for (const Entry& entry : entries_) widest = std::max(widest, metrics.horizontalAdvance(entry.name));
  return std::max(kNarrowest, widest + 4 * kSideMargin);
}

QRect ModuleList::EntryRect(int index) const {
  return QRect(kSideMargin, kTopMargin + index * kEntryHeight, width() - 2 * kSideMargin,
               kEntryHeight - 4);
}

int ModuleList::EntryAt(QPoint position) const {
  for (int i = 0; i < Count(); ++i) {
    if (EntryRect(i).contains(position)) return i;
  }
  return -1;
}

void ModuleList::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor face = palette().color(QPalette::Window);
  QLinearGradient panel(0, 0, width(), 0);
  panel.setColorAt(0, face.darker(112));
  panel.setColorAt(1, face.darker(104));
  painter.fillRect(rect(), panel);

  const QColor highlight = palette().color(QPalette::Highlight);
  for (int i = 0; i < Count(); ++i) {
    const Entry& entry = entries_[static_cast<size_t>(i)];
    const QRectF box = QRectF(EntryRect(i)).adjusted(0.5, 0.5, -0.5, -0.5);
    if (i == selected_ || i == hot_) {
      QColor fill = highlight;
      fill.setAlpha(i == selected_ ? (hasFocus() ? 90 : 70) : 30);
      painter.setPen(QPen(i == selected_ ? highlight : fill, 1));
      painter.setBrush(fill);
      painter.drawRoundedRect(box, 5, 5);
    }
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QPixmap icon = entry.icon.pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF(), mode);
    const int iconX = static_cast<int>(box.center().x()) - kIconSize / 2;
    const int shift = i == pressed_ ? 1 : 0;
    painter.drawPixmap(iconX + shift, static_cast<int>(box.top()) + 7 + shift, icon);
    QFont font = this->font();
    font.setBold(i == selected_);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRectF textBox(box.left() + 2, box.top() + 7 + kIconSize + 2, box.width() - 4,
                         box.height() - kIconSize - 9);
    painter.drawText(textBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, entry.name);
  }
}

void ModuleList::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = EntryAt(event->position().toPoint());
  update();
}

void ModuleList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int index = EntryAt(event->position().toPoint());
  const bool chosen = index >= 0 && index == pressed_;
  pressed_ = -1;
  update();
  if (chosen) emit ModuleChosen(index);
}

void ModuleList::mouseMoveEvent(QMouseEvent* event) {
  const int index = EntryAt(event->position().toPoint());
  if (index != hot_) {
    hot_ = index;
    update();
  }
}

void ModuleList::leaveEvent(QEvent*) {
  hot_ = -1;
  update();
}

void ModuleList::keyPressEvent(QKeyEvent* event) {
  if (Count() == 0) return;
  switch (event->key()) {
    case Qt::Key_Up:
      emit ModuleChosen(std::max(0, selected_ - 1));
      break;
    case Qt::Key_Down:
      emit ModuleChosen(std::min(Count() - 1, selected_ + 1));
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

bool ModuleList::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int index = EntryAt(help->pos());
    if (index >= 0) {
      QToolTip::showText(help->globalPos(), entries_[static_cast<size_t>(index)].description, this,
                         EntryRect(index));
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) update();
  return QWidget::event(event);
}

}  // namespace zeph
