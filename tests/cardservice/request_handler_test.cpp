#include "cardservice/request_handler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/util/byte_order.h"

namespace zeph::cardservice {
namespace {

using Frame = std::vector<uint8_t>;

// A request of `length` bytes, zero-filled, header written by hand.
Frame Request(uint32_t id, uint32_t length) {
  Frame frame(length, 0);
  WriteU32(&frame[4], id);
  WriteU32(&frame[8], 15000);
  WriteU32(&frame[12], length);
  return frame;
}

uint32_t IdOf(const Frame& reply) { return ReadU32(&reply[4]); }
uint32_t StatusOf(const Frame& reply) { return ReadU32(&reply[16]); }

TEST(RequestHandler, UnknownIdsAndBadLengthsAreRefused) {
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
}

TEST(RequestHandler, ErrorReplyFaultCountsDown) {
  CardModel card;
  card.faults.errorReplies[0x290005] = 2;
  EXPECT_EQ(IdOf(AnswerRequest(card, Request(0x290005, 16), 0)), 0x2010001u);
  EXPECT_EQ(IdOf(AnswerRequest(card, Request(0x290005, 16), 0)), 0x2010001u);
  EXPECT_EQ(IdOf(AnswerRequest(card, Request(0x290005, 16), 0)), 0x290005u);
}

TEST(RequestHandler, ParametersAreReadAndWrittenAsBytes) {
  CardModel card;
  auto read = Request(0x0B0001, 20);
  WriteU32(&read[16], 0x510C);
  auto reply = AnswerRequest(card, read, 0);
  EXPECT_THAT(reply, ::testing::ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x01, 0x00, 0x0B, 0x00,
                                                            0, 0, 0, 0, 21, 0, 0, 0, 0, 0, 0, 0,
                                                            1}));
  auto write = Request(0x0B0002, 21);
  WriteU32(&write[16], 0x510C);
  EXPECT_EQ(StatusOf(AnswerRequest(card, write, 0)), 0u);
  EXPECT_EQ(card.LongMessages(), 0);

  WriteU32(&read[16], 0x7777);
  EXPECT_EQ(StatusOf(AnswerRequest(card, read, 0)), status::kUnknownParam);
}

TEST(RequestHandler, SendNeedsATerminatedDestination) {
  CardModel card;
  auto send = Request(0x290000, 110 + 1);
  std::fill(send.begin() + 25, send.begin() + 48, '1');  // no terminator in the field
  send[48 + 1] = 4;
  send[48 + 60] = 1;
  send[110] = 'x';
  EXPECT_EQ(StatusOf(AnswerRequest(card, send, 0)), status::kBadDestination);
  send[47] = 0;
  auto accepted = AnswerRequest(card, send, 0);
  EXPECT_EQ(StatusOf(accepted), 0u);
  EXPECT_EQ(accepted.size(), 21u);
  EXPECT_EQ(accepted[20], 0);  // the first reference
}

TEST(RequestHandler, PhonebookReplyLayoutAndNoSim) {
  CardModel card;
  card.AddEntry("\xE9", "+4930");
  auto reply = AnswerRequest(card, Request(0x2A0000, 16), 0);
  ASSERT_EQ(reply.size(), 34326u);
  EXPECT_EQ(ReadU32(&reply[12]), 34326u);
  EXPECT_EQ(ReadU16(&reply[20]), 1);
  EXPECT_EQ(ReadU16(&reply[22]), 1);
  EXPECT_EQ(ReadU16(&reply[1046]), 0xFFE9);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&reply[22550])), "+4930");

  auto limits = AnswerRequest(card, Request(0x2C0010, 16), 0);
  ASSERT_EQ(limits.size(), 28u);
  EXPECT_EQ(ReadU32(&limits[20]), 250u);
  EXPECT_EQ(ReadU32(&limits[24]), 20u);

  card.simPresent = false;
  for (uint32_t id : {0x2A0000u, 0x2C0010u, 0x2A0007u})
    EXPECT_EQ(StatusOf(AnswerRequest(card, Request(id, 16), 0)), status::kNoSim) << id;
  EXPECT_EQ(StatusOf(AnswerRequest(card, Request(0x2A0003, 83), 0)), status::kNoSim);
}

TEST(RequestHandler, StoredMessagesAreReadWholeAndMarkedRead) {
  CardModel card;
  std::vector<uint8_t> block(70, 0);
  block[0] = 0x02;  // received
  block[1] = 1;     // 8-bit text
  card.Arrive(block);
  auto counts = AnswerRequest(card, Request(0x290009, 16), 0);
  EXPECT_THAT(std::vector<uint8_t>(counts.begin() + 16, counts.end()),
              ::testing::ElementsAreArray<uint8_t>({0, 0, 0, 0, 1, 0, 0}));
  auto read = Request(0x290007, 17);
  auto message = AnswerRequest(card, read, 0);
  EXPECT_EQ(message.size(), 90u);
  EXPECT_TRUE(card.Slot(0)->read);
  read[16] = 1;
  EXPECT_EQ(StatusOf(AnswerRequest(card, read, 0)), status::kEmptySlot);
  auto remove = Request(0x290008, 20);
  EXPECT_EQ(StatusOf(AnswerRequest(card, remove, 0)), 0u);
  EXPECT_EQ(StatusOf(AnswerRequest(card, remove, 0)), status::kEmptySlot);
}

}  // namespace
}  // namespace zeph::cardservice
