#include <gtest/gtest.h>

#include "app/base/program_bitmaps.h"
#include "app/controls/picture_display.h"

namespace zeph {
namespace {

TEST(PictureDisplayTest, TakesItsPicturesSize) {
  PictureDisplay display(nullptr, BitmapForResource(BitmapId::kPictureDecoration));
  ASSERT_FALSE(display.Picture().isNull());
  EXPECT_EQ(display.sizeHint(), display.Picture().size());
}

}  // namespace
}  // namespace zeph
