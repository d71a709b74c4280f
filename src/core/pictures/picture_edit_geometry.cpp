#include "core/pictures/picture_edit_geometry.h"

#include <algorithm>

#include "core/store/picture_image.h"

namespace zeph {
namespace {

// Room for the picture and a margin: 6 more columns and 4 more rows.
constexpr int kColumnsWithMargin = kPictureWidth + 6;
constexpr int kRowsWithMargin = kPictureHeight + 4;
constexpr int kSmallestGridCell = 3;

}  // namespace

PictureEditGeometry PictureEditGeometryFor(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const int cw = width / kColumnsWithMargin;
  const int ch = height / kRowsWithMargin;

  PictureEditGeometry g;
  g.cell = std::min(cw, ch);
  if (g.cell == 0) {
    g.left = g.right = width / 2;
    g.top = g.bottom = height / 2;
    return g;
  }
  const bool grid = cw >= kSmallestGridCell && ch >= kSmallestGridCell;
  g.mode = grid ? PictureEditMode::kGrid : PictureEditMode::kCompact;
  g.pitch = grid ? g.cell + 1 : g.cell;
  g.left = (width - kPictureWidth * g.pitch) / 2;
  g.top = (height - kPictureHeight * g.pitch) / 2;
  g.right = g.left + kPictureWidth * g.pitch;
  g.bottom = g.top + kPictureHeight * g.pitch;
  return g;
}

std::optional<GridPosition> CellUnderPoint(const PictureEditGeometry& geometry, int x, int y) {
  if (geometry.pitch == 0 || !geometry.Contains(x, y)) return std::nullopt;
  return GridPosition{(x - geometry.left) / geometry.pitch, (y - geometry.top) / geometry.pitch};
}

}  // namespace zeph
