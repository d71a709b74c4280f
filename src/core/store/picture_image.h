#pragma once
// The picture of a picture message: 72 x 28 one-bit pixels, row by row from
// the top, each row 9 bytes from its left pixel; pixel (x, y) is bit
// n = y * 72 + x, in byte n / 8 under the mask 0x80 >> (n % 8). A set bit
// is black.

#include <array>
#include <cstddef>
#include <cstdint>

namespace zeph {

inline constexpr int kPictureWidth = 72;
inline constexpr int kPictureHeight = 28;
inline constexpr size_t kPictureRowBytes = 9;
inline constexpr size_t kPictureBytes = 252;

using PictureImage = std::array<uint8_t, kPictureBytes>;

inline bool PixelIsBlack(const PictureImage& picture, int x, int y) {
  int n = y * kPictureWidth + x;
  return (picture[static_cast<size_t>(n / 8)] & (0x80 >> (n % 8))) != 0;
}

}  // namespace zeph
