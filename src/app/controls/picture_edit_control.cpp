#include "app/controls/picture_edit_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWindow>
#include <cmath>

namespace zeph {
namespace {

constexpr int kBorder = 1;  // the control's border, around its drawing area
const QColor kGridLine(156, 168, 175);

int Floor(qreal value) {
  return static_cast<int>(std::floor(value + 1e-6));
}

// Paints the cells: a white field; in grid mode a black frame two pixels
// wide around the area and the grey grid lines between the cells; a black
// square of cell x cell pixels for every black cell, one pixel inside its
// pitch.
void PaintCells(QImage& image, const PictureEditGeometry& g, const EditGrid& grid) {
  image.fill(Qt::white);
  if (g.mode == PictureEditMode::kNoRoom) return;
  QPainter painter(&image);
  if (g.mode == PictureEditMode::kGrid) {
    // The frame's two pixels lie on the area's edge and just outside it.
    painter.fillRect(QRect(QPoint(g.left - 1, g.top - 1), QPoint(g.right + 1, g.bottom + 1)),
                     Qt::black);
    painter.fillRect(QRect(QPoint(g.left + 1, g.top + 1), QPoint(g.right - 1, g.bottom - 1)),
                     Qt::white);
    for (int i = 1; i < kPictureWidth; ++i) {
      painter.fillRect(g.left + i * g.pitch, g.top + 1, 1, g.bottom - g.top - 1, kGridLine);
    }
    for (int j = 1; j < kPictureHeight; ++j) {
      painter.fillRect(g.left + 1, g.top + j * g.pitch, g.right - g.left - 1, 1, kGridLine);
    }
  }
  for (int x = 0; x < kPictureWidth; ++x) {
    for (int y = 0; y < kPictureHeight; ++y) {
      if (grid[GridCellIndex(x, y)] != 1) continue;
      painter.fillRect(CellSquareLeft(g, x), CellSquareTop(g, y), g.cell, g.cell, Qt::black);
    }
  }
}

QSize DeviceSize(QSize logical, qreal ratio) {
  return {Floor(logical.width() * ratio), Floor(logical.height() * ratio)};
}

EditGrid GridOf(const PictureImage* picture) {
  EditGrid grid{};
  if (picture != nullptr) UnpackPicture(*picture, grid);
  return grid;
}

// The buttons and keys of a pointer move as the mouse rules count them:
// other buttons, Shift and Ctrl all count as "other".
unsigned Held(const QMouseEvent& event) {
  const Qt::MouseButtons buttons = event.buttons();
  unsigned held = 0;
  if (buttons & Qt::LeftButton) held |= kHeldLeft;
  if (buttons & Qt::RightButton) held |= kHeldRight;
  if ((buttons & ~(Qt::LeftButton | Qt::RightButton)) != Qt::NoButton ||
      (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != Qt::NoModifier) {
    held |= kHeldOther;
  }
  return held;
}

}  // namespace

PictureEditControl::PictureEditControl(QWidget* parent, QSize client, const PictureImage* picture)
    : QWidget(parent),
      client_(client),
      ratio_(devicePixelRatioF()),
      state_(DeviceSize(client, ratio_).width(), DeviceSize(client, ratio_).height(),
             GridOf(picture)) {
  setObjectName(QStringLiteral("TavPictureEdit"));
  setFixedSize(client.width() + 2 * kBorder, client.height() + 2 * kBorder);
  // Moves without a button end a stroke, so the control needs them too.
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (Geometry().mode == PictureEditMode::kGrid) setCursor(DrawingCursor());
}

void PictureEditControl::Clear() {
  Apply(state_.Clear());
}

void PictureEditControl::SetGrid(const EditGrid& grid) {
  Apply(state_.SetGrid(grid));
}

QPoint PictureEditControl::DevicePoint(QPointF position) const {
  return {Floor((position.x() - kBorder) * ratio_), Floor((position.y() - kBorder) * ratio_)};
}

void PictureEditControl::FollowDeviceRatio() {
  const qreal ratio = devicePixelRatioF();
  if (ratio == ratio_) return;
  ratio_ = ratio;
  const bool drawing = state_.drawing();
  const bool erasing = state_.erasing();
  const QSize device = DeviceSize(client_, ratio_);
  state_ = PictureEditState(device.width(), device.height(), state_.grid());
  if (drawing) state_.LeftPressed();
  if (erasing) state_.RightPressed();
  if (Geometry().mode == PictureEditMode::kGrid) {
    setCursor(DrawingCursor());
  } else {
    unsetCursor();
  }
}

void PictureEditControl::Apply(PictureEditOutcome outcome) {
  if (outcome.notify) emit Changed();
  if (outcome.repaint) update();
}

bool PictureEditControl::Sees(QPointF at) const {
  return QRectF(kBorder, kBorder, client_.width(), client_.height()).contains(at);
}

void PictureEditControl::paintEvent(QPaintEvent*) {
  FollowDeviceRatio();
  QImage cells(DeviceSize(client_, ratio_), QImage::Format_RGB32);
  PaintCells(cells, Geometry(), Grid());
  cells.setDevicePixelRatio(ratio_);
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, width() - 1, height() - 1));
  painter.fillRect(QRect(kBorder, kBorder, client_.width(), client_.height()), Qt::white);
  painter.drawImage(QPointF(kBorder, kBorder), cells);
}

void PictureEditControl::Pressed(QPointF at, Qt::MouseButton button) {
  if (!Sees(at)) return;
  FollowDeviceRatio();
  if (button == Qt::LeftButton) state_.LeftPressed();
  if (button == Qt::RightButton) state_.RightPressed();
}

void PictureEditControl::Moved(QPointF at, unsigned held) {
  if (!Sees(at)) return;
  FollowDeviceRatio();
  const QPoint device = DevicePoint(at);
  Apply(state_.PointerMoved(device.x(), device.y(), held));
}

void PictureEditControl::Released(QPointF at, Qt::MouseButton button) {
  if (!Sees(at)) return;
  FollowDeviceRatio();
  const QPoint device = DevicePoint(at);
  if (button == Qt::LeftButton) Apply(state_.LeftReleased(device.x(), device.y()));
  if (button == Qt::RightButton) Apply(state_.RightReleased(device.x(), device.y()));
}

void PictureEditControl::mousePressEvent(QMouseEvent* event) {
  Pressed(event->position(), event->button());
}

// The control takes no double clicks: the second press of one is a press.
void PictureEditControl::mouseDoubleClickEvent(QMouseEvent* event) {
  Pressed(event->position(), event->button());
}

void PictureEditControl::mouseMoveEvent(QMouseEvent* event) {
  Moved(event->position(), Held(*event));
}

void PictureEditControl::mouseReleaseEvent(QMouseEvent* event) {
  Released(event->position(), event->button());
}

void PictureEditControl::showEvent(QShowEvent* event) {
  QWindow* shown = window()->windowHandle();
  if (shown != watchedWindow_) {
    if (watchedWindow_) watchedWindow_->removeEventFilter(this);
    watchedWindow_ = shown;
    if (shown != nullptr) shown->installEventFilter(this);
  }
  QWidget::showEvent(event);
}

bool PictureEditControl::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched != watchedWindow_ || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
                                    type != QEvent::MouseButtonRelease)) {
    return QWidget::eventFilter(watched, event);
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (type == QEvent::MouseButtonPress && mouse->buttons() == mouse->button()) {
    // A stroke begins: Qt gives it to the widget under the press.
    QWidget* pressed = window()->childAt(mouse->position().toPoint());
    strokeElsewhere_ = (pressed != nullptr ? pressed : window()) != this;
    return false;
  }
  if (!strokeElsewhere_ || !isVisible()) return false;
  const QPointF at = mapFromGlobal(mouse->globalPosition());
  if (type == QEvent::MouseButtonPress) Pressed(at, mouse->button());
  if (type == QEvent::MouseMove) Moved(at, Held(*mouse));
  if (type == QEvent::MouseButtonRelease) {
    Released(at, mouse->button());
    strokeElsewhere_ = mouse->buttons() != Qt::NoButton;
  }
  return false;  // the widget pressed gets the event as well
}

QCursor DrawingCursor() {
  // A pencil lying from the top-left corner to the bottom right, its point
  // on the hot spot; white with a black outline, so that it shows on the
  // white cells and on the black ones.
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath pencil;
  pencil.moveTo(0.5, 0.5);
  pencil.lineTo(5.5, 2.5);
  pencil.lineTo(15, 12);
  pencil.lineTo(12, 15);
  pencil.lineTo(2.5, 5.5);
  pencil.closeSubpath();
  painter.setPen(QPen(Qt::black, 1.0));
  painter.setBrush(Qt::white);
  painter.drawPath(pencil);
  painter.setBrush(Qt::black);
  QPainterPath point;
  point.moveTo(0.5, 0.5);
  point.lineTo(3.5, 1.7);
  point.lineTo(1.7, 3.5);
  point.closeSubpath();
  painter.drawPath(point);
  painter.drawLine(QPointF(5.5, 2.5), QPointF(2.5, 5.5));
  painter.end();
  return QCursor(pixmap, 0, 0);
}

}  // namespace zeph
