#include "app/shell/frame_client.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "app/controls/action_bar.h"
#include "app/controls/module_list.h"
#include "app/shell/module_space.h"

namespace zeph {
namespace {

// The splitter tracker: a dotted black line, one pixel wide.
class SplitterTracker final : public QWidget {
 public:
  explicit SplitterTracker(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName(QStringLiteral("SplitterTracker"));
    hide();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLine(0, 0, 0, height());
  }
};

}  // namespace

FrameClient::FrameClient(QWidget* parent)
    : QWidget(parent),
      bar_(new ActionBar(this)),      // owned by the client area
      list_(new ModuleList(this)),    // owned by the client area
      space_(new ModuleSpace(this)),  // owned by the client area
      tracker_(new SplitterTracker(this)) {
  setObjectName(QStringLiteral("FrameClient"));
  setMouseTracking(true);
}

void FrameClient::Layout() {
  const int cw = width();
  const int ch = height();
  listWidth_ = std::max(listWidth_, list_->MinimumWidth());
  bar_->setGeometry(0, 0, cw, ActionBar::kHeight);
  space_->setGeometry(listWidth_ + kSplitterGap, ActionBar::kHeight,
                      cw - (listWidth_ + kSplitterGap), ch - ActionBar::kHeight);
  bar_->SetLeftWidth(listWidth_);
  list_->setGeometry(0, ActionBar::kHeight, listWidth_, ch - ActionBar::kHeight);
  ResetSplitterRect();
  UpdateSmallestSize();
  update();
}

int FrameClient::TrackerX() const { return tracker_->isVisible() ? tracker_->x() : -1; }

int FrameClient::ButtonsRoom() const { return bar_->ButtonsEnd() - bar_->ButtonsStart(); }

void FrameClient::ResetSplitterRect() {
  splitterRect_ = QRect(QPoint(listWidth_ - 1, 0), QPoint(listWidth_ + kSplitterGap, height()));
}

void FrameClient::UpdateSmallestSize() {
  setMinimumSize(bar_->ButtonsEnd() + kButtonSlack, kSlackHeight);
}

void FrameClient::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor face = palette().color(QPalette::Window);
  const QColor shadow = palette().color(QPalette::Mid);
  const int top = ActionBar::kHeight;
  const int bottom = height();
  painter.setPen(face);
  painter.drawLine(listWidth_, top, listWidth_, bottom);
  painter.setPen(shadow);
  painter.drawLine(listWidth_ + 1, top, listWidth_ + 1, bottom);
  painter.setPen(face);
  painter.drawLine(listWidth_ + 2, top, listWidth_ + 2, bottom);
}

void FrameClient::resizeEvent(QResizeEvent*) {
  if (!window()->isMinimized()) Layout();
}

void FrameClient::MoveTracker(int x) {
  trackerPos_.setX(x);
  tracker_->setGeometry(x, splitterRect_.top(), 1, splitterRect_.height());
  tracker_->raise();
  tracker_->show();
}

void FrameClient::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!dragging_) {
    const bool inside = splitterRect_.contains(at);
    if (inside && !hot_) {
      hot_ = true;
      grabMouse(Qt::SplitHCursor);
    } else if (!inside && hot_) {
      hot_ = false;
      releaseMouse();
    }
    return;
  }
  const int x = at.x();
  const int narrowest = list_->MinimumWidth();
  trackerPos_.setY(at.y());
  if (x >= narrowest && width() - x >= ButtonsRoom() + kButtonSlack) {
    MoveTracker(x);
    clamped_ = false;
  } else if (!clamped_) {
    MoveTracker(x >= narrowest ? width() - ButtonsRoom() - kButtonSlack : narrowest);
    clamped_ = true;
  }
}

void FrameClient::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !hot_ || dragging_) return;
  dragging_ = true;
  clamped_ = false;
  focusBeforeDrag_ = QApplication::focusWidget();
  setFocus(Qt::OtherFocusReason);
  pressGlobal_ = event->globalPosition().toPoint();
  trackerPos_ = event->position().toPoint();
  MoveTracker(trackerPos_.x());
}

void FrameClient::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  const int trackerX = mapToGlobal(QPoint(trackerPos_.x(), 0)).x();
  const int newWidth = list_->width() + trackerX - pressGlobal_.x();
  tracker_->hide();
  if (trackerX != pressGlobal_.x() && newWidth > 0 && newWidth < width()) {
    listWidth_ = newWidth;
    list_->resize(listWidth_, list_->height());
    Layout();
  } else {
    ResetSplitterRect();
    update();
  }
  dragging_ = false;
  if (focusBeforeDrag_ != nullptr) focusBeforeDrag_->setFocus(Qt::OtherFocusReason);
  focusBeforeDrag_ = nullptr;
  // A move where the button went up settles whether the cursor is still
  // over the splitter.
  QCoreApplication::postEvent(
      this, new QMouseEvent(QEvent::MouseMove, event->position(), event->globalPosition(),
                            Qt::NoButton, Qt::NoButton, event->modifiers()));
}

void FrameClient::CancelDrag() {
  tracker_->hide();
  ResetSplitterRect();
  hot_ = false;
  dragging_ = false;
  releaseMouse();
}

void FrameClient::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && hot_) {
    CancelDrag();
    if (focusBeforeDrag_ != nullptr) focusBeforeDrag_->setFocus(Qt::OtherFocusReason);
    focusBeforeDrag_ = nullptr;
    return;
  }
  QWidget::keyPressEvent(event);
}

bool FrameClient::event(QEvent* event) {
  // A child hears of the frame's deactivation through WindowDeactivate,
  // which the frame passes on to its children; ActivationChange reaches
  // only the frame itself.
  if (event->type() == QEvent::WindowDeactivate && hot_) CancelDrag();
  return QWidget::event(event);
}

}  // namespace zeph
