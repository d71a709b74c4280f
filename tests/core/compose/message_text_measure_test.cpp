#include "core/compose/message_text_measure.h"

#include <gtest/gtest.h>

#include <string>

namespace zeph {
namespace {

std::string Plain(size_t count) {
  return std::string(count, 'a');
}

TEST(MessageTextMeasureTest, WithoutPictureCutsBeforeTheCharacterPastTheUnitLimit) {
  struct Case {
    const char* what;
    std::string text;
    bool longMessages;
    size_t length;
    size_t keep;
    size_t characterLimit;
  };
  const Case cases[] = {
      {"empty", "", true, 0, 0, 1064},
      {"single message full", Plain(160), false, 160, 160, 160},
      {"one past a single message", Plain(161), false, 160, 160, 160},
      {"brace past a single message", Plain(159) + "{", false, 159, 159, 160},
      {"80 braces fill a single message", std::string(80, '{'), false, 160, 80, 80},
      {"long message full", Plain(1064), true, 1064, 1064, 1064},
      {"one past a long message", Plain(1065), true, 1064, 1064, 1064},
      {"euro at the end of a long message", Plain(1063) + "\x80", true, 1063, 1063, 1064},
      {"extension characters lower the limit", Plain(10) + "^[]", true, 16, 13, 1061},
      {"a paste of 1599 characters", Plain(1599), true, 1064, 1064, 1064},
      {"beyond the buffer counts 1599", std::string(2000, '~'), true, 1064, 532, 532},
  };
  for (const Case& c : cases) {
    const TextMeasurement m = MeasureMessageText(c.text, c.longMessages, false);
    EXPECT_EQ(m.length, c.length) << c.what;
    EXPECT_EQ(m.keep, c.keep) << c.what;
    EXPECT_EQ(m.characterLimit, c.characterLimit) << c.what;
  }
}

TEST(MessageTextMeasureTest, WithPictureCountsCharactersAndCutsNothing) {
  const TextMeasurement full = MeasureMessageText(std::string(121, '{'), true, true);
  EXPECT_EQ(full.length, 456u);  // extension characters count one with a picture
  EXPECT_EQ(full.keep, 121u);
  EXPECT_EQ(full.characterLimit, 121u);
  EXPECT_EQ(MeasureMessageText(Plain(300), true, true).keep, 300u);
  EXPECT_EQ(MeasureMessageText(Plain(10), false, true).characterLimit, 160u);
}

TEST(MessageTextMeasureTest, PictureRefusedAboveTheTextLimit) {
  EXPECT_FALSE(PictureRefusedForText(""));
  EXPECT_FALSE(PictureRefusedForText(Plain(121)));
  EXPECT_FALSE(PictureRefusedForText(std::string(121, '}')));  // characters, not units
  EXPECT_TRUE(PictureRefusedForText(Plain(122)));
}

}  // namespace
}  // namespace zeph
