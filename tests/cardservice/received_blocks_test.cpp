#include "cardservice/received_blocks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zeph::cardservice {
namespace {

using ::testing::ElementsAreArray;

TEST(ReceivedBlocks, HeadFieldsSitAtTheirOffsets) {
  BlockHead head;
  head.status = 0x02;
  head.kind = 6;
  head.reference = 0x11;
  head.firstOctet = 0x80;
  head.protocolId = 0x41;
  head.reportStatus = 2;
  head.serviceCentre = "+49";
  head.number = "+1234567890123456789012345";  // cut to 22
  strptime("2024-02-29 08:05:30", "%F %T", &head.time);
  const uint8_t data[] = {'h', 'i'};
  auto block = BuildReceivedBlock(head, data);
  std::vector<uint8_t> golden = {0x02, 6, 0, 0x11, 0x80, 0x41, 2, '+', '4', '9'};
  golden.resize(30, 0);
  for (char c : std::string("+123456789012345678901")) golden.push_back(static_cast<uint8_t>(c));
  golden.push_back(0);
  golden.insert(golden.end(), {0x42, 0x20, 0x92, 0x80, 0x50, 0x03, 0x00, 2, 0, 'h', 'i'});
  EXPECT_THAT(block, ElementsAreArray(golden));
}

TEST(ReceivedBlocks, PicturePayloadAsACardDeliversIt) {
  PictureImage picture{};
  picture[0] = 0x80;
  picture[251] = 0x01;
  auto data = ReceivedPictureData("OK", false, picture);
  ASSERT_EQ(data.size(), 6u + 3 + 252);
  EXPECT_THAT(std::vector<uint8_t>(data.begin(), data.begin() + 10),
              ElementsAreArray<uint8_t>({3, 0, 0x48, 0, 0x1C, 0, 'O', 'K', 0, 0x80}));
  EXPECT_EQ(data.back(), 0x01);

  auto wide = ReceivedPictureData("OK", true, picture);  // 16-bit text, high byte first
  EXPECT_THAT(std::vector<uint8_t>(wide.begin(), wide.begin() + 13),
              ElementsAreArray<uint8_t>({6, 0, 0x48, 0, 0x1C, 0, 0, 'O', 0, 'K', 0, 0, 0x80}));
}

TEST(ReceivedBlocks, WideTextFromUtf8AndCp1252) {
  EXPECT_THAT(WideFromUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFF"),
              ElementsAreArray<uint8_t>({0, 'a', 0, 0xE9, 0x20, 0xAC, 0, '?', 0, '?'}));
  EXPECT_THAT(WideFromUtf8("\xC3"), ElementsAreArray<uint8_t>({0, '?'}));  // cut sequence
  EXPECT_THAT(WideFromCp1252("\xE9\x80"), ElementsAreArray<uint8_t>({0, 0xE9, 0x20, 0xAC}));
}

// A sent block: head with its kind and data length, then the data.
std::vector<uint8_t> SentBlock(uint8_t kind, const std::vector<uint8_t>& data, size_t length) {
  std::vector<uint8_t> block(62 + data.size(), 0);
  block[1] = kind;
  block[60] = static_cast<uint8_t>(length);
  block[61] = static_cast<uint8_t>(length >> 8);
  std::copy(data.begin(), data.end(), block.begin() + 62);
  return block;
}

TEST(ReceivedBlocks, TextOfSentBlocksByKind) {
  std::vector<uint8_t> picture = {4, 0, 72, 0, 28, 0, 'a', 'b', 'c', 0};
  picture.resize(263);
  // A plain text's: through every send. A data length past the block: never read beyond it.
  EXPECT_EQ(SentBlockText(SentBlock(4, {'a', 'b', 'c'}, 200)), "abc");
  EXPECT_EQ(SentBlockText(SentBlock(0, {0, 'H', 0, 'i'}, 4)), "Hi");
  EXPECT_EQ(SentBlockText(SentBlock(3, picture, picture.size())), "abc");
  EXPECT_EQ(SentBlockText(std::vector<uint8_t>(10, 0)), "");
}

}  // namespace
}  // namespace zeph::cardservice
