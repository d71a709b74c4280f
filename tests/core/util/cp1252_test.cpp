#include "core/util/cp1252.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(Cp1252Test, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Cp1252FromUtf8(Utf8FromCp1252(all)), all);
}

TEST(Cp1252Test, CharactersOutsideBecomeQuestionMarks) {
  EXPECT_EQ(Cp1252FromUtf8("\xCE\xA9"), "?");  // Greek capital omega
  EXPECT_EQ(Cp1252FromUtf8("a\xF0\x9F\x98\x80"
                           "b"),
            "a?b");                          // an emoji
  EXPECT_EQ(Cp1252FromUtf8("\xC3"), "?");    // cut sequence
  EXPECT_EQ(Cp1252FromUtf8("\x80x"), "?x");  // stray continuation byte
  EXPECT_EQ(Cp1252FromUtf8("\xE2\x82"
                           "A"),
            "??A");  // broken three-byte sequence
  // What the text control shows as typed: the characters the card can carry, '?' for others.
  EXPECT_EQ(Cp1252FromUtf8("Gr\xC3\xBC\xC3\x9F"
                           "e \xD0\x9F\xD1\x80\xD0\xB8 \xE2\x82\xAC"),
            "Gr\xFC\xDF"
            "e ??? \x80");
  for (char32_t held : {U'a', U'?', U'\u00FC', U'\u20AC', U'\u0081'})
    EXPECT_TRUE(Cp1252Holds(held));
  for (char32_t lost : {U'\u0080', U'\u041F', U'\U0001F600'}) EXPECT_FALSE(Cp1252Holds(lost));
}

}  // namespace
}  // namespace zeph
