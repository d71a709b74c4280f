#pragma once
// Where the picture edit control puts its 72 x 28 cells, worked out once
// from its client size: the cell size, grid or compact mode, the pitch from
// one cell to the next, and the centred picture area.

#include <cstdint>
#include <optional>

namespace zeph {

enum class PictureEditMode : uint32_t {
  kNoRoom = 0,   // client narrower than 78 or lower than 32 pixels
  kGrid = 1,     // cells of 3 pixels or more, separated by grid lines
  kCompact = 2,  // cells of 1 or 2 pixels, no grid lines
};

struct PictureEditGeometry {
  PictureEditMode mode = PictureEditMode::kNoRoom;
  int cell = 0;   // cell size in screen pixels
  int pitch = 0;  // cell + 1 in grid mode, cell in compact mode
  // The picture area in client coordinates, right and bottom exclusive.
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The geometry for a client area of `width` x `height` pixels. The cell is
// the smaller of width / 78 and height / 32 (72 columns and 6 more, 28 rows
// and 4 more); grid mode needs both to be at least 3. A client too small
// for a cell of one pixel gets mode kNoRoom, cell 0 and an empty area at
// its centre: nothing is drawn there and no point hits a cell. The grid
// lines take room the margin does not always cover: at small grid cells the
// area can reach past the client's edges, and those cells are out of reach.
PictureEditGeometry PictureEditGeometryFor(int width, int height);

struct GridPosition {
  int column = 0;
  int row = 0;
  bool operator==(const GridPosition&) const = default;
};

// The cell under the client point (x, y), none outside the area. A point on
// a grid line belongs to the cell to its right or below it.
std::optional<GridPosition> CellUnderPoint(const PictureEditGeometry& geometry, int x, int y);

// The top-left corner of the cell x cell square painted for a black cell: one
// pixel inside the cell's pitch, clear of the grid line before it.
inline int CellSquareLeft(const PictureEditGeometry& g, int column) {
  return g.left + column * g.pitch + 1;
}
inline int CellSquareTop(const PictureEditGeometry& g, int row) {
  return g.top + row * g.pitch + 1;
}

}  // namespace zeph
