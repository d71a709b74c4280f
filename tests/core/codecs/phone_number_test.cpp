#include "core/codecs/phone_number.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(FilterPhoneNumberTest, KeepsDigitsAndPlusInOrder) {
  FilteredNumber typed = FilterPhoneNumber("+44 (0)20-7946 0958");
  EXPECT_EQ(typed.text, "+4402079460958");
  EXPECT_TRUE(typed.changed);

  FilteredNumber clean = FilterPhoneNumber("0123+456+");
  EXPECT_EQ(clean.text, "0123+456+");
  EXPECT_FALSE(clean.changed);

  FilteredNumber letters = FilterPhoneNumber("abc\xE9");
  EXPECT_EQ(letters.text, "");
  EXPECT_TRUE(letters.changed);
}

}  // namespace
}  // namespace zeph
