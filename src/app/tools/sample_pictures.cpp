#include "app/tools/sample_pictures.h"

#include <cmath>
#include <functional>

#include "core/pictures/picture_ops.h"

namespace zeph {
namespace {

// A few 72 x 28 pictures drawn in code for the Picture Library and the
// Picture Editor.
using Shape = std::function<bool(int x, int y)>;

PictureImage Draw(const Shape& black) {
  EditGrid grid{};
  for (int x = 0; x < kPictureWidth; ++x) {
    for (int y = 0; y < kPictureHeight; ++y) grid[GridCellIndex(x, y)] = black(x, y) ? 1 : 0;
  }
  PictureImage picture{};
  PackPicture(grid, picture);
  return picture;
}

bool Heart(int x, int y) {
  // (u² + v² - 1)³ - u² v³ <= 0, about 30 x 24 pixels in the middle.
  const double u = (x - 35.5) / 13.0;
  const double v = (14.0 - y) / 11.0 + 0.1;
  const double f = std::pow(u * u + v * v - 1.0, 3) - u * u * v * v * v;
  return f <= 0;
}

bool Ring(double dx, double dy, double radius, double width) {
  const double d = std::hypot(dx, dy);
  return d <= radius && d > radius - width;
}

bool Smiley(int x, int y) {
  const double dx = x - 35.5;
  const double dy = y - 13.5;
  if (Ring(dx, dy, 13.5, 2.0)) return true;
  if (std::hypot(x - 31.0, y - 9.0) <= 1.6 || std::hypot(x - 40.0, y - 9.0) <= 1.6) return true;
  // The smile: the lower part of a ring.
  return dy > 2.5 && Ring(dx, dy + 1.0, 8.5, 1.6);
}

bool HouseWalls(int x, int y) {
  const bool inWalls = x >= 22 && x <= 49 && y >= 13 && y <= 26;
  const bool wallEdge = x == 22 || x == 23 || x == 48 || x == 49 || y == 25 || y == 26;
  const bool window = x >= 38 && x <= 44 && y >= 16 && y <= 21 &&
                      (x == 38 || x == 44 || y == 16 || y == 21 || x == 41 || y == 18);
  return (inWalls && wallEdge) || window || (y == 27 && x >= 8 && x <= 63);
}

bool House(int x, int y) {
  if (HouseWalls(x, y)) return true;
  // The roof: two slopes from the eaves to the ridge, two pixels thick.
  const int fromMiddle = std::abs(2 * x - 71);
  const int slope = (fromMiddle - 1) / 2 + 1;  // 1 at the ridge
  const bool roof = y >= 1 && y <= 13 && fromMiddle <= 37 && (y == slope || y == slope + 1);
  const bool chimney = (x == 42 || x == 43) && y >= 2 && y <= 6;
  const bool door = x >= 27 && x <= 33 && y >= 17 && y <= 24 && (x == 27 || x == 33 || y == 17);
  return roof || chimney || door;
}

bool Hi(int x, int y) {
  if (y < 4 || y > 23) return false;
  const bool h =
      (x >= 18 && x <= 22) || (x >= 33 && x <= 37) || (x > 22 && x < 33 && y >= 12 && y <= 15);
  const bool i = (x >= 46 && x <= 50) || (x >= 42 && x <= 54 && (y <= 6 || y >= 21));
  return h || i;
}

bool Sun(int x, int y) {
  const double dx = x - 35.5;
  const double dy = y - 13.5;
  const double d = std::hypot(dx, dy);
  if (d <= 6.5) return true;
  // Eight rays between 9 and 13 pixels out.
  const double angle = std::atan2(dy, dx) * 4.0 / 3.14159265358979;
  return d >= 9.0 && d <= 13.5 && std::abs(angle - std::round(angle)) < 0.12;
}

}  // namespace

// The library in the screenshots: a heart, a smiley, a house, the word "HI"
// and a sun.
std::vector<PictureImage> SamplePictures() {
  return {Draw(Heart), Draw(Smiley), Draw(House), Draw(Hi), Draw(Sun)};
}

// The house with its roof and door still to draw: a picture half way
// through its drawing.
PictureImage HalfDrawnHouse() {
  return Draw([](int x, int y) { return HouseWalls(x, y) || (y >= 7 && House(x, y) && x < 30); });
}

}  // namespace zeph
