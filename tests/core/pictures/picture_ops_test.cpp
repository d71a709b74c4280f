#include "core/pictures/picture_ops.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <utility>
#include <vector>

namespace zeph {
namespace {

// The grid runs column after column; the round trip below checks every other cell.
TEST(PictureOpsTest, UnpackPlacesPixelsColumnAfterColumn) {
  PictureImage picture{};
  picture[0] = 0x40;    // pixel (1, 0): cell 28
  picture[9] = 0x80;    // pixel (0, 1): cell 1
  picture[251] = 0x01;  // pixel (71, 27): the last cell
  EditGrid grid;
  grid.fill(7);
  UnpackPicture(picture, grid);
  EditGrid expected{};
  for (size_t cell : {28, 1, 2015}) expected[cell] = 1;
  EXPECT_EQ(grid, expected);
}

TEST(PictureOpsTest, PackCountsOnlyTheValueOneAsBlack) {
  EditGrid grid{};
  grid[GridCellIndex(0, 0)] = 1;
  grid[GridCellIndex(8, 0)] = 1;  // byte 1, top bit
  grid[GridCellIndex(3, 0)] = 2;  // not black
  grid[GridCellIndex(4, 0)] = 0xFFFFFFFF;
  grid[GridCellIndex(71, 27)] = 1;
  PictureImage picture;
  picture.fill(0xAA);
  PackPicture(grid, picture);
  PictureImage expected{};
  expected[0] = 0x80;
  expected[1] = 0x80;
  expected[251] = 0x01;
  EXPECT_EQ(picture, expected);
}

TEST(PictureOpsTest, UnpackThenPackGivesBackAnyPicture) {
  std::mt19937 random(4);
  EditGrid grid;
  for (int round = 0; round < 50; ++round) {
    PictureImage picture;
    for (auto& b : picture) b = static_cast<uint8_t>(random());
    if (round == 0) picture.fill(0xFF);
    if (round == 1) picture.fill(0x00);
    PictureImage back;
    UnpackPicture(picture, grid);
    PackPicture(grid, back);
    ASSERT_EQ(back, picture) << "round " << round;
  }
}

class RecordingSink : public PixelSink {
 public:
  void SetPixel(int x, int y, bool black) override { pixels[{x, y}] = black; }
  std::map<std::pair<int, int>, bool> pixels;
};

// Cells of one and two pixels are filled; larger ones get their four corners.
TEST(PictureOpsTest, DrawFillsSquaresOfOneAndTwoPixelsAndMarksTheCornersOfLarger) {
  PictureImage picture{};
  picture[0] = 0x80;    // (0, 0) black
  picture[251] = 0x01;  // (71, 27) black
  using Points = std::vector<std::pair<int, int>>;
  struct Case {
    int left, top, cell;
    Points black, white, unset;
  };
  const Case cases[] = {
      {10, 20, 1, {{10, 20}, {81, 47}}, {{11, 20}}, {}},
      {0, 0, 2, {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {142, 54}, {143, 55}}, {{2, 0}, {141, 55}}, {}},
      {0, 0, 3, {{0, 0}, {2, 2}}, {{3, 0}}, {{1, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cell);
    RecordingSink sink;
    DrawPicture(sink, picture, c.left, c.top, c.cell);
    EXPECT_EQ(sink.pixels.size(), c.cell == 1 ? 2016u : 2016u * 4);
    for (auto [x, y] : c.black) EXPECT_TRUE(sink.pixels.at({x, y})) << x << "," << y;
    for (auto [x, y] : c.white) EXPECT_FALSE(sink.pixels.at({x, y})) << x << "," << y;
    for (auto [x, y] : c.unset) EXPECT_EQ(sink.pixels.count({x, y}), 0u) << x << "," << y;
  }
}

}  // namespace
}  // namespace zeph
