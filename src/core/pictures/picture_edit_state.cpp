#include "core/pictures/picture_edit_state.h"

namespace zeph {

PictureEditState::PictureEditState(int width, int height, const EditGrid& grid)
    : geometry_(PictureEditGeometryFor(width, height)), grid_(grid) {}

PictureEditOutcome PictureEditState::Clear() {
  grid_.fill(0);
  return {.repaint = true, .notify = true};
}

PictureEditOutcome PictureEditState::SetGrid(const EditGrid& grid) {
  grid_ = grid;
  return {.repaint = true, .notify = false};
}

bool PictureEditState::Paint(int x, int y, uint32_t value) {
  auto cell = CellUnderPoint(geometry_, x, y);
  if (!cell) return false;
  grid_[GridCellIndex(cell->column, cell->row)] = value;
  return true;
}

PictureEditOutcome PictureEditState::PointerMoved(int x, int y, unsigned held) {
  // A button released outside the control is never seen, so the other
  // state can still be on: then both are, and erasing wins.
  if (held == kHeldLeft) {
    drawing_ = true;
  } else if (held == kHeldRight) {
    erasing_ = true;
  } else {
    drawing_ = erasing_ = false;
  }
  if (!drawing_ && !erasing_) return {};
  bool painted = Paint(x, y, erasing_ ? 0 : 1);
  return {.repaint = painted, .notify = painted};
}

PictureEditOutcome PictureEditState::LeftReleased(int x, int y) {
  drawing_ = false;
  return {.repaint = Paint(x, y, 1), .notify = true};
}

PictureEditOutcome PictureEditState::RightReleased(int x, int y) {
  erasing_ = false;
  return {.repaint = Paint(x, y, 0), .notify = true};
}

}  // namespace zeph
