#pragma once
// What the picture edit control does with the pointer, apart from the
// window: the left button paints black, the right button paints white, and
// each event says whether the control repaints and whether its parent hears
// of a change. The control does not capture the pointer: it sees only events
// over itself, and cells between two pointer positions are not filled in.

#include "core/pictures/picture_edit_geometry.h"
#include "core/pictures/picture_ops.h"

namespace zeph {

// Buttons and keys held during a pointer move.
inline constexpr unsigned kHeldLeft = 0x1;
inline constexpr unsigned kHeldRight = 0x2;
inline constexpr unsigned kHeldOther = 0x4;  // another button, Shift or Ctrl

struct PictureEditOutcome {
  bool repaint = false;
  bool notify = false;  // the parent gets the change notification
};

class PictureEditState {
 public:
  // Geometry is fixed at creation: a later change of size has no effect.
  PictureEditState(int width, int height, const EditGrid& grid);

  const PictureEditGeometry& geometry() const { return geometry_; }
  const EditGrid& grid() const { return grid_; }
  bool drawing() const { return drawing_; }
  bool erasing() const { return erasing_; }

  // All cells white; the parent is notified.
  PictureEditOutcome Clear();
  // Copies cells in without notifying the parent.
  PictureEditOutcome SetGrid(const EditGrid& grid);

  // A press only starts painting; no cell changes until a move or release.
  void LeftPressed() { drawing_ = true; }
  void RightPressed() { erasing_ = true; }

  // Exactly the left button held turns drawing on, exactly the right one
  // erasing; anything else turns both off. Inside the area with
  // either on, the cell under the pointer is painted (erasing wins when both
  // are on) and the parent is notified.
  PictureEditOutcome PointerMoved(int x, int y, unsigned held);

  // Painting ends; inside the area the cell under the pointer is painted.
  // The parent is notified in either case.
  PictureEditOutcome LeftReleased(int x, int y);
  PictureEditOutcome RightReleased(int x, int y);

 private:
  bool Paint(int x, int y, uint32_t value);

  PictureEditGeometry geometry_;
  EditGrid grid_;
  bool drawing_ = false;
  bool erasing_ = false;
};

}  // namespace zeph
