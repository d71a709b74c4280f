#include "core/codecs/gsm_text.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(GsmTextTest, ExtensionCharactersCostTwoAndCutsStopBeforeTheOneThatWouldExceed) {
  for (auto [text, units] : {std::pair{std::string("abc"), 3u},
                             {"a{b}", 6u},
                             {std::string(80, '~'), 160u},
                             {"^{}[]\x80|~\\", 18u},  // all nine, the euro sign among them
                             {"\xE9\xA3@$", 4u},      // other 8-bit letters cost one
                             {"", 0u}})
    EXPECT_EQ(CountUnits(text), units) << text;

  const std::string a159(159, 'a');
  for (auto [text, limit, cut] : {std::tuple{std::string(160, 'a'), 160u, std::string(160, 'a')},
                                  {a159 + "{", 160u, a159},
                                  {a159 + "^zz", 160u, a159},
                                  {std::string(1065, 'b'), 1064u, std::string(1064, 'b')},
                                  {"\x80\x80", 3u, "\x80"}}) {
    CutToUnits(text, limit);
    EXPECT_EQ(text, cut) << limit;
  }
}

TEST(GsmTextTest, PartsCountersAtTheBoundariesOfTheSevenParts) {
  struct Case {
    size_t units;
    int parts;
    int left;
  };
  for (Case c :
       {Case{0, 1, 160}, Case{160, 1, 0}, Case{161, 2, 143}, Case{304, 2, 0}, Case{305, 3, 151},
        Case{456, 3, 0}, Case{457, 4, 151}, Case{912, 6, 0}, Case{913, 7, 151}, Case{1064, 7, 0}}) {
    PartCount count = CountParts(c.units);
    EXPECT_EQ(count.parts, c.parts) << c.units;
    EXPECT_EQ(count.left, c.left) << c.units;
    EXPECT_EQ(FormatPartCounter(c.units),
              std::to_string(c.left) + "(" + std::to_string(c.parts) + ")");
  }
  EXPECT_EQ(FormatPartCounter(kPictureCost + 0), "121(3)");
  EXPECT_EQ(FormatPartCounter(kPictureCost + 121), "0(3)");
}

}  // namespace
}  // namespace zeph
