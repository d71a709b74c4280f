#include "core/util/hex_text.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(HexTextTest, BytesAndDigitsGiveEachOtherAndBadDigitsGiveNone) {
  const std::vector<uint8_t> bytes = {0x00, 0x7F, 0xA5, 0xFF};
  EXPECT_EQ(ToHex(bytes), "007fa5ff");
  EXPECT_EQ(FromHex("007fA5fF"), bytes);
  EXPECT_EQ(FromHex(""), std::vector<uint8_t>());
  for (const char* bad : {"0", "abc", "0g", "g0", " 0", "0x00"}) EXPECT_FALSE(FromHex(bad)) << bad;
}

}  // namespace
}  // namespace zeph
