#include "core/util/cp1252.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(Cp1252Test, EuroSignAndLatinLettersRoundTrip) {
  EXPECT_EQ(Utf8FromCp1252("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Cp1252FromUtf8("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(Utf8FromCp1252("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(Cp1252FromUtf8("\xC3\xA4"), "\xE4");
}

TEST(Cp1252Test, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Cp1252FromUtf8(Utf8FromCp1252(all)), all);
}

TEST(Cp1252Test, CharactersOutsideBecomeQuestionMarks) {
  EXPECT_EQ(Cp1252FromUtf8("\xCE\xA9"), "?");            // Greek capital omega
  EXPECT_EQ(Cp1252FromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");  // an emoji
  EXPECT_EQ(Cp1252FromUtf8("\xC3"), "?");                // cut sequence
  EXPECT_EQ(Cp1252FromUtf8("\x80x"), "?x");              // stray continuation byte
  EXPECT_EQ(Cp1252FromUtf8("\xE2\x82" "A"), "??A");       // broken three-byte sequence
}

}  // namespace
}  // namespace zeph
