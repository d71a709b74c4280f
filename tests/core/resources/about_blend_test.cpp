#include "core/resources/about_blend.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(AboutBlendTest, BlendsEachChannelWithIntegerDivisions) {
  std::vector<uint8_t> image(kAboutBlendBytes, 0);
  std::vector<uint8_t> mask(kAboutBlendBytes, 0);
  // Face: blue 200, green 100, red 50.
  image[0] = 10;
  mask[0] = 0;  // blue, mask 0: the image
  image[1] = 0;
  mask[1] = 255;  // green, mask 255: the face
  image[2] = 200;
  mask[2] = 128;  // red: 50*128/255 = 25, 200*127/255 = 99
  image[3] = 255;
  mask[3] = 1;  // blue: 200*1/255 = 0, 255*254/255 = 254
  image[88319] = 77;
  mask[88319] = 77;  // red: 50*77/255 = 15, 77*178/255 = 53
  const auto out = BlendOverFace(image, mask, {200, 100, 50});
  ASSERT_EQ(out.size(), kAboutBlendBytes);
  EXPECT_EQ(out[0], 10);
  EXPECT_EQ(out[1], 100);
  EXPECT_EQ(out[2], 124);
  EXPECT_EQ(out[3], 254);
  EXPECT_EQ(out[4], 0);  // green, image 0, mask 0
  EXPECT_EQ(out[88319], 68);
}

TEST(AboutBlendTest, PicturesOfAnotherSizeGiveNothing) {
  std::vector<uint8_t> image(kAboutBlendBytes - 1, 0);
  std::vector<uint8_t> mask(kAboutBlendBytes, 0);
  EXPECT_TRUE(BlendOverFace(image, mask, {0, 0, 0}).empty());
  EXPECT_TRUE(BlendOverFace(mask, image, {0, 0, 0}).empty());
}

}  // namespace
}  // namespace zeph
