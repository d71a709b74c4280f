#pragma once
// The program's bitmaps, drawn in code so that they are the same on every
// machine: the About box's picture, its banner and the banner's mask, the
// action bar's background, the picture editor's decoration, the strip down
// the left edge of the writing and picture windows and the composer's send
// picture.

#include <QImage>
#include <QPixmap>
#include <cstdint>
#include <span>
#include <vector>

class QPainter;

namespace zeph {

enum class BitmapId : int {
  kLeftStrip = 104,  // 10 x 1024
  kComposerSend = 136,
  kPictureDecoration = 137,
  kAboutPicture = 206,
  kAboutBanner = 207,
  kAboutMask = 208,
  kActionBar = 209,
};

// The About box's banner and its mask as 24-bit bottom-up pixel arrays of 320 x 92, bytes
// blue, green, red: the form the About box blends.
std::vector<uint8_t> AboutBannerBits();
std::vector<uint8_t> AboutMaskBits();

// A 24-bit bottom-up blue-green-red array as an image (top row first).
// Arrays of the wrong size give a null image.
QImage ImageFromBottomUpBgr(std::span<const uint8_t> bits, int width, int height);

QPixmap BitmapForResource(BitmapId id);

inline constexpr int kLeftStripWidth = 10;

// Paints the strip 10 pixels wide at the left edge of a window with a
// 32-pixel action bar, from `top` down to `bottom`, copied from the same
// position of the strip's bitmap (`strip`). Below the bitmap's 1024 rows nothing
// is painted.
void PaintLeftStrip(QPainter& painter, const QPixmap& strip, int top, int bottom);

}  // namespace zeph
