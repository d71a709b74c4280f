#include "core/resources/about_blend.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

// Over the face blue 200, green 100, red 50 (bytes run blue, green, red).
TEST(AboutBlendTest, BlendsEachChannelWithIntegerDivisions) {
  struct Case {
    size_t at;
    uint8_t image, mask, out;
  };
  const Case cases[] = {
      {0, 10, 0, 10},       // mask 0: the image
      {1, 0, 255, 100},     // mask 255: the face
      {2, 200, 128, 124},   // 50*128/255 = 25, 200*127/255 = 99
      {3, 255, 1, 254},     // 200*1/255 = 0, 255*254/255 = 254
      {88319, 77, 77, 68},  // 50*77/255 = 15, 77*178/255 = 53
  };
  std::vector<uint8_t> image(kAboutBlendBytes, 0);
  std::vector<uint8_t> mask(kAboutBlendBytes, 0);
  for (const Case& c : cases) {
    image[c.at] = c.image;
    mask[c.at] = c.mask;
  }
  const auto out = BlendOverFace(image, mask, {200, 100, 50});
  ASSERT_EQ(out.size(), kAboutBlendBytes);
  for (const Case& c : cases) EXPECT_EQ(out[c.at], c.out) << c.at;
}

TEST(AboutBlendTest, PicturesOfAnotherSizeGiveNothing) {
  std::vector<uint8_t> image(kAboutBlendBytes - 1, 0);
  std::vector<uint8_t> mask(kAboutBlendBytes, 0);
  EXPECT_TRUE(BlendOverFace(image, mask, {0, 0, 0}).empty());
  EXPECT_TRUE(BlendOverFace(mask, image, {0, 0, 0}).empty());
}

}  // namespace
}  // namespace zeph
