#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
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
    EXPECT_EQ(g.mode, M::kNoRoom);
    EXPECT_EQ(g.cell, 0);
    EXPECT_EQ(g.left, g.right);
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

TEST(PictureEditStateTest, ClickPaintsTheCellUnderThePointerOnRelease) {
  PictureEditState edit(454, 192, Blank());
  edit.LeftPressed();
  EXPECT_EQ(edit.grid(), Blank());  // a press changes nothing yet
  PictureEditOutcome out = edit.LeftReleased(17, 18);
  EXPECT_TRUE(out.repaint);
  EXPECT_TRUE(out.notify);
  EXPECT_FALSE(edit.drawing());
  EXPECT_EQ(edit.grid()[GridCellIndex(1, 1)], 1u);
  EXPECT_EQ(std::count(edit.grid().begin(), edit.grid().end(), 1u), 1);

  edit.RightPressed();
  out = edit.RightReleased(20, 20);
  EXPECT_TRUE(out.notify);
  EXPECT_EQ(edit.grid(), Blank());
}

TEST(PictureEditStateTest, DragPaintsOnlyWithExactlyOneButton) {
  PictureEditState edit(454, 192, Blank());
  edit.LeftPressed();
  PictureEditOutcome out = edit.PointerMoved(11, 12, kHeldLeft);
  EXPECT_TRUE(out.notify);
  EXPECT_EQ(edit.grid()[0], 1u);

  // With Shift held nothing changes on the way; the release still paints.
  edit.LeftPressed();
  out = edit.PointerMoved(23, 12, kHeldLeft | kHeldOther);
  EXPECT_FALSE(out.notify);
  EXPECT_FALSE(edit.drawing());
  EXPECT_EQ(edit.grid()[GridCellIndex(2, 0)], 0u);
  edit.LeftReleased(23, 12);
  EXPECT_EQ(edit.grid()[GridCellIndex(2, 0)], 1u);

  // Both buttons: neither paints.
  edit.RightPressed();
  out = edit.PointerMoved(11, 12, kHeldLeft | kHeldRight);
  EXPECT_FALSE(out.notify);
  EXPECT_EQ(edit.grid()[0], 1u);
}

TEST(PictureEditStateTest, ErasingWinsWhenBothAreOn) {
  EditGrid grid = Blank();
  grid[0] = 1;
  PictureEditState edit(454, 192, grid);
  edit.RightPressed();  // released outside the control: never seen
  edit.LeftPressed();
  edit.PointerMoved(11, 12, kHeldLeft);
  EXPECT_TRUE(edit.erasing());
  EXPECT_EQ(edit.grid()[0], 0u);
}

TEST(PictureEditStateTest, OutsideTheAreaOnlyTheReleaseNotifiesAsDoesClear) {
  PictureEditState edit(454, 192, Blank());
  edit.LeftPressed();
  PictureEditOutcome out = edit.PointerMoved(2, 2, kHeldLeft);
  EXPECT_FALSE(out.notify);
  out = edit.LeftReleased(2, 2);
  EXPECT_TRUE(out.notify);
  EXPECT_FALSE(out.repaint);
  EXPECT_EQ(edit.grid(), Blank());

  PictureEditState tiny(40, 20, Blank());
  tiny.LeftPressed();
  EXPECT_TRUE(tiny.LeftReleased(5, 5).notify);
  EXPECT_EQ(tiny.grid(), Blank());

  // Clear notifies, SetGrid does not.
  EditGrid grid = Blank();
  grid[100] = 1;
  EXPECT_FALSE(tiny.SetGrid(grid).notify);
  EXPECT_EQ(tiny.grid(), grid);
  EXPECT_TRUE(tiny.Clear().notify);
  EXPECT_EQ(tiny.grid(), Blank());
}

}  // namespace
}  // namespace zeph
