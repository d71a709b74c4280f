#include "core/pictures/picture_ops.h"

namespace zeph {
namespace {

constexpr int kPixels = kPictureWidth * kPictureHeight;

}  // namespace

void UnpackPicture(const PictureImage& picture, EditGrid& grid) {
  for (int n = 0; n < kPixels; ++n) {
    const int x = n % kPictureWidth;
    const int y = n / kPictureWidth;
    grid[GridCellIndex(x, y)] = PixelIsBlack(picture, x, y) ? 1 : 0;
  }
}

void PackPicture(const EditGrid& grid, PictureImage& picture) {
  picture.fill(0);
  for (int n = 0; n < kPixels; ++n) {
    if (grid[GridCellIndex(n % kPictureWidth, n / kPictureWidth)] == 1) {
      picture[static_cast<size_t>(n / 8)] |= static_cast<uint8_t>(0x80 >> (n % 8));
    }
  }
}

void DrawPicture(PixelSink& sink, const PictureImage& picture, int x0, int y0, int cell) {
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      const bool black = PixelIsBlack(picture, x, y);
      const int px = x0 + x * cell;
      const int py = y0 + y * cell;
      sink.SetPixel(px, py, black);
      if (cell > 1) {
        sink.SetPixel(px, py + cell - 1, black);
        sink.SetPixel(px + cell - 1, py, black);
        sink.SetPixel(px + cell - 1, py + cell - 1, black);
      }
    }
  }
}

}  // namespace zeph
