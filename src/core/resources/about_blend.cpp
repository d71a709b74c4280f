#include "core/resources/about_blend.h"

#include <algorithm>

namespace zeph {

std::vector<uint8_t> BlendOverFace(std::span<const uint8_t> image, std::span<const uint8_t> mask,
                                   std::array<uint8_t, 3> faceBgr) {
  if (image.size() != kAboutBlendBytes || mask.size() != kAboutBlendBytes) return {};
  std::vector<uint8_t> out(kAboutBlendBytes);
  for (size_t i = 0; i < kAboutBlendBytes; ++i) {
    const unsigned f = faceBgr[i % 3];
    const unsigned m = mask[i];
    const unsigned p = image[i];
    out[i] = static_cast<uint8_t>(std::min(255u, f * m / 255 + p * (255 - m) / 255));
  }
  return out;
}

}  // namespace zeph
