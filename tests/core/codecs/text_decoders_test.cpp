#include "core/codecs/text_decoders.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace zeph {
namespace {

std::string Qp(std::string_view text, size_t size = 64) {
  std::string out(size, 'X');
  EXPECT_EQ(DecodeQuotedPrintable(text, std::span<char>(out.data(), out.size())), 1);
  return std::string(out.c_str());
}

TEST(QuotedPrintableTest, EscapesBecomeBytesEverythingElseIsCopied) {
  EXPECT_EQ(Qp("M=C3=BCller"), "M\xC3\xBCller");
  EXPECT_EQ(Qp("a=3db=3D"), "a=b=");
  EXPECT_EQ(Qp("=4"), "=4");      // cut escape
  EXPECT_EQ(Qp("=G1x"), "=G1x");  // not hexadecimal
  EXPECT_EQ(Qp("a="), "a=");
  EXPECT_EQ(Qp(""), "");
}

TEST(QuotedPrintableTest, OutputIsClearedAndKeepsItsTerminator) {
  std::array<char, 4> out;
  out.fill('X');
  DecodeQuotedPrintable("abcdef", out);
  EXPECT_EQ(std::string(out.data(), 4), std::string("abc\0", 4));
  out.fill('X');
  DecodeQuotedPrintable("a", out);
  EXPECT_EQ(std::string(out.data(), 4), std::string("a\0\0\0", 4));
  EXPECT_EQ(DecodeQuotedPrintable("a", std::span<char>()), 1);
}

std::u16string Utf8(std::string_view text, int expected, size_t size = 32) {
  std::u16string out(size, u'X');
  EXPECT_EQ(DecodeUtf8(text, std::span<char16_t>(out.data(), out.size())), expected) << text;
  return std::u16string(out.c_str());
}

TEST(Utf8Test, SequencesOfOneToThreeBytesAndInvalidOnesThatStopTheWalk) {
  EXPECT_EQ(Utf8("ab", 1), u"ab");
  EXPECT_EQ(Utf8("\xC3\xA4", 1), u"\u00E4");
  EXPECT_EQ(Utf8("\xE2\x82\xAC!", 1), u"\u20AC!");
  EXPECT_EQ(Utf8(std::string_view("a\0b", 3), 1), u"a");  // ends at the zero byte
  EXPECT_EQ(Utf8("a\x80z", 0), u"a");                     // stray continuation byte
  EXPECT_EQ(Utf8("a\xC3", 0), u"a");                      // missing continuation at the end
  EXPECT_EQ(Utf8("a\xC3z", 0), u"a");                     // continuation that is not one
  EXPECT_EQ(Utf8("\xE2\x82", 0), u"");                    // three-byte sequence cut short
  EXPECT_EQ(Utf8("b\xF0\x9F\x98\x80", 0), u"b");          // four-byte sequences are not decoded
}

TEST(Utf8Test, OutputHoldsItsSizeLessOneCharacter) {
  EXPECT_EQ(Utf8("abcdef", 1, 4), u"abc");
  EXPECT_EQ(Utf8("abc", 1, 1), u"");
  EXPECT_EQ(DecodeUtf8("abc", std::span<char16_t>()), 0);
}

}  // namespace
}  // namespace zeph
