#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "core/pictures/picture_edit_geometry.h"
#include "core/pictures/picture_edit_state.h"

namespace zeph {
namespace {

TEST(PictureEditGeometryTest, GridCompactAndNoRoom) {
  using M = PictureEditMode;
  struct Case {
    int width, height;
    PictureEditMode mode;
    int cell, pitch, left, top, right, bottom;
  };
  const Case cases[] = {
      {454, 192, M::kGrid, 5, 6, 11, 12, 11 + 432, 12 + 168},
      {91, 54, M::kCompact, 1, 1, 9, 13, 81, 41},
      {400, 64, M::kCompact, 2, 2, 128, 4, 272, 60},  // wide enough for a grid, two cells high
      {78, 32, M::kCompact, 1, 1, 3, 2, 75, 30},      // the smallest that has room
  };
  for (const Case& c : cases) {
    PictureEditGeometry g = PictureEditGeometryFor(c.width, c.height);
    EXPECT_EQ(std::tuple(g.mode, g.cell, g.pitch, g.left, g.top, g.right, g.bottom),
              std::tuple(c.mode, c.cell, c.pitch, c.left, c.top, c.right, c.bottom))
        << c.width << "x" << c.height;
  }
  for (auto [w, h] : {std::pair{77, 200}, {300, 31}, {0, 0}, {-5, -5}}) {
    PictureEditGeometry g = PictureEditGeometryFor(w, h);
    EXPECT_EQ(std::tuple(g.mode, g.cell, g.right - g.left), std::tuple(M::kNoRoom, 0, 0)) << w;
    for (int x = -1; x < 80; x += 3) EXPECT_FALSE(CellUnderPoint(g, x, 15));
  }
}

TEST(PictureEditGeometryTest, CellUnderPoint) {
  PictureEditGeometry g = PictureEditGeometryFor(454, 192);
  // Grid lines belong to the cells right and below; the right and bottom edges are exclusive.
  struct Point {
    int x, y;
    std::optional<GridPosition> cell;
  };
  for (Point p : {Point{11, 12, GridPosition{0, 0}},
                  {16, 17, GridPosition{0, 0}},
                  {17, 12, GridPosition{1, 0}},
                  {16, 18, GridPosition{0, 1}},
                  {442, 179, GridPosition{71, 27}},
                  {443, 179, {}},
                  {442, 180, {}},
                  {10, 12, {}},
                  {11, 11, {}}})
    EXPECT_EQ(CellUnderPoint(g, p.x, p.y), p.cell) << p.x << "," << p.y;
  EXPECT_EQ(CellSquareLeft(g, 1), 18);
  EXPECT_EQ(CellSquareTop(g, 0), 13);
}

EditGrid Blank() {
  return EditGrid{};
}

// An outcome and the state after it: the flags that hold, then each cell that is not white, as
// "x,y" (with "=value" unless it is 1).
std::string Describe(PictureEditOutcome out, const PictureEditState& edit) {
  std::string s = std::string(out.repaint ? "repaint " : "") + (out.notify ? "notify " : "") +
                  (edit.drawing() ? "drawing " : "") + (edit.erasing() ? "erasing " : "") +
                  "cells:";
  for (int x = 0; x < kPictureWidth; ++x) {
    for (int y = 0; y < kPictureHeight; ++y) {
      if (const uint32_t v = edit.grid()[GridCellIndex(x, y)]) {
        s += " " + std::to_string(x) + "," + std::to_string(y);
        if (v != 1) s += "=" + std::to_string(v);
      }
    }
  }
  return s;
}

TEST(PictureEditStateTest, ClickPaintsTheCellUnderThePointerOnRelease) {
  PictureEditState edit(454, 192, Blank());
  edit.LeftPressed();
  EXPECT_EQ(Describe({}, edit), "drawing cells:");  // a press changes nothing yet
  EXPECT_EQ(Describe(edit.LeftReleased(17, 18), edit), "repaint notify cells: 1,1");
  edit.RightPressed();
  EXPECT_EQ(Describe(edit.RightReleased(20, 20), edit), "repaint notify cells:");
}

TEST(PictureEditStateTest, DragPaintsOnlyWithExactlyOneButton) {
  PictureEditState edit(454, 192, Blank());
  edit.LeftPressed();
  EXPECT_EQ(Describe(edit.PointerMoved(11, 12, kHeldLeft), edit),
            "repaint notify drawing cells: 0,0");
  // With Shift held nothing changes on the way; the release still paints.
  edit.LeftPressed();
  EXPECT_EQ(Describe(edit.PointerMoved(23, 12, kHeldLeft | kHeldOther), edit), "cells: 0,0");
  EXPECT_EQ(Describe(edit.LeftReleased(23, 12), edit), "repaint notify cells: 0,0 2,0");
  // Both buttons: neither paints.
  edit.RightPressed();
  EXPECT_EQ(Describe(edit.PointerMoved(11, 12, kHeldLeft | kHeldRight), edit), "cells: 0,0 2,0");
}

TEST(PictureEditStateTest, ErasingWinsWhenBothAreOn) {
  EditGrid grid = Blank();
  grid[0] = 1;
  PictureEditState edit(454, 192, grid);
  edit.RightPressed();  // released outside the control: never seen
  edit.LeftPressed();
  EXPECT_EQ(Describe(edit.PointerMoved(11, 12, kHeldLeft), edit),
            "repaint notify drawing erasing cells:");
}

TEST(PictureEditStateTest, OutsideTheAreaOnlyTheReleaseNotifiesAsDoesClear) {
  PictureEditState edit(454, 192, Blank());
  edit.LeftPressed();
  EXPECT_EQ(Describe(edit.PointerMoved(2, 2, kHeldLeft), edit), "drawing cells:");
  EXPECT_EQ(Describe(edit.LeftReleased(2, 2), edit), "notify cells:");

  PictureEditState tiny(40, 20, Blank());
  tiny.LeftPressed();
  EXPECT_EQ(Describe(tiny.LeftReleased(5, 5), tiny), "notify cells:");

  // Clear notifies, SetGrid does not; both repaint.
  EditGrid grid = Blank();
  grid[GridCellIndex(3, 16)] = 1;
  grid[GridCellIndex(4, 0)] = 7;
  EXPECT_EQ(Describe(tiny.SetGrid(grid), tiny), "repaint cells: 3,16 4,0=7");
  EXPECT_EQ(Describe(tiny.Clear(), tiny), "repaint notify cells:");
}

}  // namespace
}  // namespace zeph
