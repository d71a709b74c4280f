#include "core/codecs/gsm_text.h"

#include <gtest/gtest.h>

#include <utility>

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

// The counter shows the units left in the last part, then the parts: CountParts's two values.
TEST(GsmTextTest, PartsCountersAtTheBoundariesOfTheSevenParts) {
  using Counter = std::pair<size_t, const char*>;
  for (auto [units, counter] :
       {Counter{0, "160(1)"}, Counter{160, "0(1)"}, Counter{161, "143(2)"}, Counter{304, "0(2)"},
        Counter{305, "151(3)"}, Counter{456, "0(3)"}, Counter{457, "151(4)"}, Counter{912, "0(6)"},
        Counter{913, "151(7)"}, Counter{1064, "0(7)"}, Counter{kPictureCost + 0, "121(3)"},
        Counter{kPictureCost + 121, "0(3)"}})
    EXPECT_EQ(FormatPartCounter(units), counter) << units;
}

}  // namespace
}  // namespace zeph
