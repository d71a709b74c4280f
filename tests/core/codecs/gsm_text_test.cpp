#include "core/codecs/gsm_text.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(CountUnitsTest, ExtensionCharactersCostTwo) {
  EXPECT_EQ(CountUnits("abc"), 3u);
  EXPECT_EQ(CountUnits("a{b}"), 6u);
  EXPECT_EQ(CountUnits(std::string(80, '~')), 160u);
  EXPECT_EQ(CountUnits("^{}[]\x80|~\\"), 18u);  // all nine, the euro sign among them
  EXPECT_EQ(CountUnits("\xE9\xA3@$"), 4u);      // other 8-bit letters cost one
  EXPECT_EQ(CountUnits(""), 0u);
}

TEST(CutToUnitsTest, CutsBeforeTheCharacterThatWouldExceed) {
  std::string exact(160, 'a');
  CutToUnits(exact, 160);
  EXPECT_EQ(exact.size(), 160u);

  std::string brace = std::string(159, 'a') + "{";
  CutToUnits(brace, 160);
  EXPECT_EQ(brace, std::string(159, 'a'));

  std::string circumflex = std::string(159, 'a') + "^" + "zz";
  CutToUnits(circumflex, 160);
  EXPECT_EQ(circumflex, std::string(159, 'a'));

  std::string longText(1065, 'b');
  CutToUnits(longText, 1064);
  EXPECT_EQ(longText.size(), 1064u);

  std::string euro = "\x80\x80";
  CutToUnits(euro, 3);
  EXPECT_EQ(euro, "\x80");
}

TEST(CountPartsTest, BoundariesOfTheSevenParts) {
  struct Case {
    size_t units;
    int parts;
    int left;
  };
  for (Case c : {Case{0, 1, 160}, Case{160, 1, 0}, Case{161, 2, 143}, Case{304, 2, 0},
                 Case{305, 3, 151}, Case{456, 3, 0}, Case{457, 4, 151}, Case{912, 6, 0},
                 Case{913, 7, 151}, Case{1064, 7, 0}}) {
    PartCount count = CountParts(c.units);
    EXPECT_EQ(count.parts, c.parts) << c.units;
    EXPECT_EQ(count.left, c.left) << c.units;
  }
}

TEST(CountPartsTest, CounterText) {
  EXPECT_EQ(FormatPartCounter(0), "160(1)");
  EXPECT_EQ(FormatPartCounter(161), "143(2)");
  EXPECT_EQ(FormatPartCounter(1064), "0(7)");
  EXPECT_EQ(FormatPartCounter(kPictureCost + 0), "121(3)");
  EXPECT_EQ(FormatPartCounter(kPictureCost + 121), "0(3)");
}

}  // namespace
}  // namespace zeph
