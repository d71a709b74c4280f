#pragma once
// The About box's picture fades into the dialog face through a mask. Both
// pictures are 24-bit, bottom-up pixel arrays of 320 x 92 (rows of 960
// bytes, which need no padding), bytes in the order blue, green, red.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zeph {

inline constexpr int kAboutBlendWidth = 320;
inline constexpr int kAboutBlendHeight = 92;
inline constexpr size_t kAboutBlendBytes = size_t{kAboutBlendWidth} * kAboutBlendHeight * 3;

// For each byte i: min(255, f * m / 255 + p * (255 - m) / 255), with p the
// image byte, m the mask byte and f the face colour's channel i mod 3 (blue,
// green, red); both divisions are integer divisions, so mask 255 gives the
// face and mask 0 the image. Pictures of another size give an empty result.
std::vector<uint8_t> BlendOverFace(std::span<const uint8_t> image, std::span<const uint8_t> mask,
                                   std::array<uint8_t, 3> faceBgr);

}  // namespace zeph
