#include "cardservice/request_handler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/util/byte_order.h"

namespace zeph::cardservice {
namespace {

using Frame = std::vector<uint8_t>;
using ::testing::ElementsAreArray;

// A request of `length` bytes, zero-filled, header written by hand.
Frame Request(uint32_t id, uint32_t length) {
  Frame frame(length, 0);
  WriteU32(&frame[4], id);
  WriteU32(&frame[8], 15000);
  WriteU32(&frame[12], length);
  return frame;
}

uint32_t IdOf(const Frame& reply) {
  return ReadU32(&reply[4]);
}
uint32_t StatusOf(const Frame& reply) {
  return ReadU32(&reply[16]);
}
Frame PayloadOf(const Frame& reply) {
  return Frame(reply.begin() + 20, reply.end());
}

TEST(RequestHandler, UnknownIdsParametersAndBadLengthsAreRefused) {
  CardModel card;
  auto unknown = AnswerRequest(card, Request(0x290001, 16), 0);
  EXPECT_EQ(IdOf(unknown), 0x2010001u);
  EXPECT_EQ(unknown.size(), 20u);
  EXPECT_EQ(ReadU32(&unknown[12]), 20u);

  auto shortCount = AnswerRequest(card, Request(0x290009, 20), 0);
  EXPECT_EQ(IdOf(shortCount), 0x290009u);
  EXPECT_EQ(StatusOf(shortCount), status::kBadLayout);
  EXPECT_EQ(StatusOf(AnswerRequest(card, Request(0x290000, 100), 0)), status::kBadLayout);
  auto data = Request(0x140009, 45);
  WriteU32(&data[39], 3);  // says three data bytes, carries two
  EXPECT_EQ(StatusOf(AnswerRequest(card, data, 0)), status::kBadLayout);
  auto unknownParameter = Request(0x0B0001, 20);
  WriteU32(&unknownParameter[16], 0x7777);
  EXPECT_EQ(StatusOf(AnswerRequest(card, unknownParameter, 0)), status::kUnknownParam);
}

TEST(RequestHandler, PhonebookReplyLayoutAndNoSim) {
  CardModel card;
  card.AddEntry("\xE9", "+4930");
  auto reply = AnswerRequest(card, Request(0x2A0000, 16), 0);
  // Its length field and count, and the limits: emulator_test and card_settings_test.
  ASSERT_EQ(reply.size(), 34326u);
  EXPECT_EQ(ReadU16(&reply[22]), 1);
  EXPECT_EQ(ReadU16(&reply[1046]), 0xFFE9);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&reply[22550])), "+4930");

  card.simPresent = false;
  for (auto [id, length] :
       {std::pair{0x2A0000u, 16u}, {0x2C0010u, 16u}, {0x2A0007u, 16u}, {0x2A0003u, 83u}})
    EXPECT_EQ(StatusOf(AnswerRequest(card, Request(id, length), 0)), status::kNoSim) << id;
}

// The counts' payload: every reception test; the counting itself: card_model_test.
TEST(RequestHandler, StoredMessagesAreReadWholeAndMarkedRead) {
  CardModel card;
  std::vector<uint8_t> block(70, 0);
  block[0] = 0x02;  // received
  block[1] = 1;     // 8-bit text
  card.Arrive(block);
  auto read = Request(0x290007, 17);
  EXPECT_THAT(PayloadOf(AnswerRequest(card, read, 0)), ElementsAreArray(block));
  EXPECT_TRUE(card.Slot(0)->read);
  read[16] = 5;
  EXPECT_EQ(StatusOf(AnswerRequest(card, read, 0)), status::kEmptySlot);
  auto remove = Request(0x290008, 20);
  EXPECT_EQ(StatusOf(AnswerRequest(card, remove, 0)), 0u);
  EXPECT_EQ(StatusOf(AnswerRequest(card, remove, 0)), status::kEmptySlot);
}

}  // namespace
}  // namespace zeph::cardservice
