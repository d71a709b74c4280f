#pragma once
// The picture edit control (TavPictureEdit): the 72 x 28 cells of a
// picture, drawn on with the mouse. The left button paints black, the right
// one white. A control with room for cells of 3 pixels shows them on a grid
// (the Picture Editor's drawing area); a smaller one shows the picture at 1
// or 2 pixels a cell (its preview). What the mouse does to the cells is
// core's PictureEditState; the control feeds it the events it sees and
// paints the result.
//
// The cells are laid out in device pixels, so that they are whole pixels
// of the screen at any scale: on a screen of scale 2 the same control has
// cells twice as many device pixels wide, and its grid lines stay one
// device pixel thin.

#include <QCursor>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include "core/pictures/picture_edit_state.h"
#include "core/pictures/picture_ops.h"

class QWindow;

namespace zeph {

class PictureEditControl final : public QWidget {
  Q_OBJECT

 public:
  // A control whose drawing area (inside its one-pixel border) is `client`
  // logical pixels, showing `picture`, or all white without one. Its size
  // is fixed: the cells are worked out once.
  PictureEditControl(QWidget* parent, QSize client, const PictureImage* picture = nullptr);

  // All cells white; Changed is emitted.
  void Clear();
  // Takes the cells as they are; Changed is not emitted.
  void SetGrid(const EditGrid& grid);
  const EditGrid& Grid() const { return state_.grid(); }

  // Where the cells are, in device pixels of the drawing area.
  const PictureEditGeometry& Geometry() const { return state_.geometry(); }
  // The drawing area's device pixel under a point in widget coordinates.
  QPoint DevicePoint(QPointF position) const;

 signals:
  // After every cell change made with the mouse, after every release of a
  // button over the drawing area (whether or not a cell changed), and after
  // Clear.
  void Changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // The pointer over the control during a stroke pressed elsewhere in its
  // window, which Qt hands to the widget pressed.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A screen of another scale gets cells of its own device pixels; the
  // picture and a stroke under way are kept.
  void FollowDeviceRatio();
  void Apply(PictureEditOutcome outcome);
  // The control sees only the pointer over its drawing area, as if it did
  // not hold the pointer while a button is down.
  bool Sees(QPointF at) const;
  void Pressed(QPointF at, Qt::MouseButton button);
  void Moved(QPointF at, unsigned held);
  void Released(QPointF at, Qt::MouseButton button);

  QSize client_;
  qreal ratio_;
  PictureEditState state_;
  // The control holds no pointer: its window's events show it a stroke
  // that began on another widget.
  QPointer<QWindow> watchedWindow_;
  bool strokeElsewhere_ = false;
};

// The drawing cursor: a pencil with its point, the hot spot, at the top
// left.
QCursor DrawingCursor();

}  // namespace zeph
