#include "core/codecs/error_table.h"

#include <gtest/gtest.h>

#include "core/resources/string_table.h"

namespace zeph {
namespace {

TEST(ErrorTableTest, KnownCodesGiveTheirTexts) {
  EXPECT_EQ(ErrorText(66), "Unable to save the contact card. Please try again later.");
  EXPECT_EQ(ErrorText(58), "Text is too long for the picture message. ");
  EXPECT_EQ(ErrorText(67), "Unknown data message received. Message cannot be displayed.");
  EXPECT_EQ(ErrorText(75), "No recipient selected.");
  EXPECT_EQ(ErrorText(0), "Unknown error.");
}

TEST(ErrorTableTest, CodesOutsideTheTableShowNothing) {
  EXPECT_FALSE(ErrorText(1).has_value());
  EXPECT_FALSE(ErrorText(65).has_value());
  EXPECT_EQ(ErrorStringId(2), 0);
}

TEST(StringTableTest, UnknownIdsAreEmptyAndBlanksAreKept) {
  EXPECT_EQ(LoadString(0), "");
  EXPECT_EQ(LoadString(2), "");
  EXPECT_EQ(LoadString(94), "");
  EXPECT_EQ(LoadString(-1), "");
  EXPECT_EQ(LoadString(43), "Start Chat ");
  EXPECT_EQ(LoadString(84), " says:");
  EXPECT_EQ(LoadString(26), " ");
  EXPECT_EQ(LoadString(85), "\\sms.chm");
}

}  // namespace
}  // namespace zeph
