#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "core/pictures/picture_edit_geometry.h"
#include "core/pictures/picture_edit_state.h"

namespace zeph {
namespace {

TEST(PictureEditGeometryTest, GridAndCompactSizes) {
  PictureEditGeometry big = PictureEditGeometryFor(454, 192);
  EXPECT_EQ(big.mode, PictureEditMode::kGrid);
  EXPECT_EQ(big.cell, 5);
  EXPECT_EQ(big.pitch, 6);
  EXPECT_EQ(big.left, 11);
  EXPECT_EQ(big.top, 12);
  EXPECT_EQ(big.right - big.left, 432);
  EXPECT_EQ(big.bottom - big.top, 168);

  PictureEditGeometry small = PictureEditGeometryFor(91, 54);
  EXPECT_EQ(small.mode, PictureEditMode::kCompact);
  EXPECT_EQ(small.cell, 1);
  EXPECT_EQ(small.pitch, 1);
  EXPECT_EQ(small.left, 9);
  EXPECT_EQ(small.top, 13);
  EXPECT_EQ(small.right, 81);
  EXPECT_EQ(small.bottom, 41);

  // Wide enough for a grid but only two cells high: compact, cell 2.
  PictureEditGeometry flat = PictureEditGeometryFor(400, 64);
  EXPECT_EQ(flat.mode, PictureEditMode::kCompact);
  EXPECT_EQ(flat.cell, 2);
  EXPECT_EQ(flat.pitch, 2);
}

TEST(PictureEditGeometryTest, TooSmallForACellHasNoArea) {
  for (auto [w, h] : {std::pair{77, 200}, {300, 31}, {0, 0}, {-5, -5}}) {
    PictureEditGeometry g = PictureEditGeometryFor(w, h);
    EXPECT_EQ(g.mode, PictureEditMode::kNoRoom);
    EXPECT_EQ(g.cell, 0);
    EXPECT_EQ(g.left, g.right);
    for (int x = -1; x < 80; x += 3) EXPECT_FALSE(CellUnderPoint(g, x, 15));
  }
  EXPECT_EQ(PictureEditGeometryFor(78, 32).mode, PictureEditMode::kCompact);
}

TEST(PictureEditGeometryTest, CellUnderPoint) {
  PictureEditGeometry g = PictureEditGeometryFor(454, 192);
  EXPECT_EQ(CellUnderPoint(g, 11, 12), (GridPosition{0, 0}));
  EXPECT_EQ(CellUnderPoint(g, 16, 17), (GridPosition{0, 0}));
  // The grid lines at x = 17 and y = 18 belong to the cells right and below.
  EXPECT_EQ(CellUnderPoint(g, 17, 12), (GridPosition{1, 0}));
  EXPECT_EQ(CellUnderPoint(g, 16, 18), (GridPosition{0, 1}));
  EXPECT_EQ(CellUnderPoint(g, 442, 179), (GridPosition{71, 27}));
  EXPECT_FALSE(CellUnderPoint(g, 443, 179));  // right edge is exclusive
  EXPECT_FALSE(CellUnderPoint(g, 442, 180));
  EXPECT_FALSE(CellUnderPoint(g, 10, 12));
  EXPECT_FALSE(CellUnderPoint(g, 11, 11));
  EXPECT_EQ(CellSquareLeft(g, 1), 18);
  EXPECT_EQ(CellSquareTop(g, 0), 13);
}

EditGrid Blank() { return EditGrid{}; }

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
  EXPECT_TRUE(edit.drawing());
  EXPECT_TRUE(edit.erasing());
  EXPECT_EQ(edit.grid()[0], 0u);
}

TEST(PictureEditStateTest, OutsideTheAreaOnlyTheReleaseNotifies) {
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
}

TEST(PictureEditStateTest, ClearNotifiesSetGridDoesNot) {
  EditGrid grid = Blank();
  grid[100] = 1;
  PictureEditState edit(91, 54, Blank());
  EXPECT_FALSE(edit.SetGrid(grid).notify);
  EXPECT_EQ(edit.grid(), grid);
  EXPECT_TRUE(edit.Clear().notify);
  EXPECT_EQ(edit.grid(), Blank());
}

}  // namespace
}  // namespace zeph
