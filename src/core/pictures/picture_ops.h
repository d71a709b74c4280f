#pragma once
// The three picture operations the whole program uses: unpack a picture to
// an editing grid, pack a grid back, and draw a picture. Widgets and tests
// draw through the same DrawPicture, onto a PixelSink.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/store/picture_image.h"

namespace zeph {

// The editing grid: 72 columns of 28 cells, stored column after column, so
// the cell of pixel (x, y) is number x * 28 + y. Value 1 is black, 0 white;
// only the exact value 1 counts as black when packing.
inline constexpr size_t kGridCells = 2016;
using EditGrid = std::array<uint32_t, kGridCells>;

inline constexpr size_t GridCellIndex(int x, int y) {
  return static_cast<size_t>(x * kPictureHeight + y);
}

void UnpackPicture(const PictureImage& picture, EditGrid& grid);
void PackPicture(const EditGrid& grid, PictureImage& picture);

// Where DrawPicture puts its pixels: an off-screen image in a widget, a
// plain array in a test.
class PixelSink {
 public:
  virtual ~PixelSink() = default;
  virtual void SetPixel(int x, int y, bool black) = 0;
};

// Draws `picture` with its top-left pixel at (x0, y0), each picture pixel
// a square of `cell` x `cell` screen pixels. Of each square it sets the
// top-left pixel and, for cells above 1, the other three corners: that
// fills the square for cells of 1 and 2, the only sizes the program draws
// with (larger squares would show their corners only).
void DrawPicture(PixelSink& sink, const PictureImage& picture, int x0, int y0, int cell);

}  // namespace zeph
