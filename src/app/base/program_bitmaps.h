#pragma once
// The program's bitmaps, drawn in code so that they are the same on every
// machine: the About box's picture (206), its banner (207) and the banner's
// mask (208), the action bar's background (209), the picture editor's
// decoration (137), the writing windows' left strip (104) and the composer's
// send picture (136).

#include <QImage>
#include <QPixmap>
#include <cstdint>
#include <span>
#include <vector>

namespace zeph {

enum class BitmapId : int {
  kLeftStrip = 104,
  kComposerSend = 136,
  kPictureDecoration = 137,
  kAboutPicture = 206,
  kAboutBanner = 207,
  kAboutMask = 208,
  kActionBar = 209,
};

// Bitmaps 207 and 208 as 24-bit bottom-up pixel arrays of 320 x 92, bytes
// blue, green, red: the form the About box blends.
std::vector<uint8_t> AboutBannerBits();
std::vector<uint8_t> AboutMaskBits();

// A 24-bit bottom-up blue-green-red array as an image (top row first).
// Arrays of the wrong size give a null image.
QImage ImageFromBottomUpBgr(std::span<const uint8_t> bits, int width, int height);

QPixmap BitmapForResource(BitmapId id);

}  // namespace zeph
