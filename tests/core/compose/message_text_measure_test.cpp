#include "core/compose/message_text_measure.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace zeph {
namespace {

std::string Plain(size_t count) {
  return std::string(count, 'a');
}

TEST(MessageTextMeasureTest, WithoutPictureCutsBeforeThePastUnitWithPictureCutsNothing) {
  struct Case {
    const char* what;
    std::string text;
    bool longMessages;
    bool picture;
    size_t length;
    size_t keep;
    size_t characterLimit;
  };
  const Case cases[] = {
      {"empty", "", true, false, 0, 0, 1064},
      {"single message full", Plain(160), false, false, 160, 160, 160},
      {"one past a single message", Plain(161), false, false, 160, 160, 160},
      {"brace past a single message", Plain(159) + "{", false, false, 159, 159, 160},
      {"80 braces fill a single message", std::string(80, '{'), false, false, 160, 80, 80},
      {"long message full", Plain(1064), true, false, 1064, 1064, 1064},
      {"one past a long message", Plain(1065), true, false, 1064, 1064, 1064},
      {"euro at the end of a long message", Plain(1063) + "\x80", true, false, 1063, 1063, 1064},
      {"extension characters lower the limit", Plain(10) + "^[]", true, false, 16, 13, 1061},
      {"a paste of 1599 characters", Plain(1599), true, false, 1064, 1064, 1064},
      {"beyond the buffer counts 1599", std::string(2000, '~'), true, false, 1064, 532, 532},
      {"picture: extension characters count one", std::string(121, '{'), true, true, 456, 121, 121},
      {"picture: a longer text is not cut", Plain(300), true, true, 635, 300, 121},
      {"picture without long messages", Plain(10), false, true, 345, 10, 160},
  };
  for (const Case& c : cases) {
    const TextMeasurement m = MeasureMessageText(c.text, c.longMessages, c.picture);
    EXPECT_EQ(std::tuple(m.length, m.keep, m.characterLimit),
              std::tuple(c.length, c.keep, c.characterLimit))
        << c.what;
  }
}

TEST(MessageTextMeasureTest, PictureRefusedAboveTheTextLimit) {
  EXPECT_FALSE(PictureRefusedForText(""));
  EXPECT_FALSE(PictureRefusedForText(Plain(121)));
  EXPECT_FALSE(PictureRefusedForText(std::string(121, '}')));  // characters, not units
  EXPECT_TRUE(PictureRefusedForText(Plain(122)));
}

}  // namespace
}  // namespace zeph
