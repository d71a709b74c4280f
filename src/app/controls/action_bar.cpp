#include "app/controls/action_bar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

namespace zeph {
namespace {

constexpr int kButtonGap = 4;
constexpr int kLeftPadding = 3 + 4;  // the splitter gap and a margin
constexpr int kRightPadding = 6;
constexpr int kTextPadding = 4;  // above and below the caption

}  // namespace

ActionBar::ActionBar(QWidget* parent)
    : QWidget(parent), row_(new QHBoxLayout(this)) {  // owned by the bar
  setObjectName(QStringLiteral("ZephSausage"));
  // The bar takes the width it is given: the frame keeps room for the
  // buttons through the module space's smallest width.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  row_->setSpacing(kButtonGap);
  row_->addStretch(1);
  SetLeftWidth(0);
}

QSize ActionBar::sizeHint() const {
  return {ButtonsEnd(), std::max(kHeight, fontMetrics().height() + 2 * kTextPadding)};
}

QSize ActionBar::minimumSizeHint() const {
  return sizeHint();
}

void ActionBar::SetLeftWidth(int width) {
  leftWidth_ = width;
  row_->setContentsMargins(leftWidth_ + kLeftPadding, 0, kRightPadding, 0);
  update();
}

QToolButton* ActionBar::NewButton() {
  auto* button = new QToolButton(this);  // owned by the bar
  button->setIconSize(QSize(22, 22));
  button->setAutoRaise(true);
  // The bar is for the mouse; the keyboard has the window's shortcuts.
  button->setFocusPolicy(Qt::NoFocus);
  buttons_.push_back(button);
  row_->insertWidget(row_->count() - 1, button);  // before the stretch
  return button;
}

void ActionBar::AddAction(QAction* action) {
  QToolButton* button = NewButton();
  button->setDefaultAction(action);
  button->setAccessibleName(action->iconText());
}

int ActionBar::ButtonsStart() const {
  return leftWidth_;
}

int ActionBar::ButtonsEnd() const {
  return row_->sizeHint().width();
}

void ActionBar::RemoveAllButtons() {
  for (QToolButton* button : buttons_) delete button;
  buttons_.clear();
}

void ActionBar::SetBackground(const QPixmap& background) {
  background_ = background;
  update();
}

void ActionBar::SetText(const QString& text) {
  text_ = text;
  update();
}

QToolButton* ActionBar::ButtonAt(int position) const {
  if (position < 0 || position >= ButtonCount()) return nullptr;
  return buttons_[static_cast<size_t>(position)];
}

void ActionBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) {
    painter.fillRect(rect(), palette().window());
  } else {
    painter.drawPixmap(rect(), background_);
  }
  if (!text_.trimmed().isEmpty()) {
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect textRect(ButtonsEnd(), 0, width() - ButtonsEnd() - kRightPadding, height());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignRight, text_);
  }
}

}  // namespace zeph
