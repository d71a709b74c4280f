// Every request of the catalogue against bytes written out by hand, and the
// reading of its reply.

#include "core/devicelink/device_requests.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "core/devicelink/result_codes.h"
#include "support/fake_pipe.h"

namespace zeph {
namespace {

using ::testing::ElementsAreArray;
using zeph::testing::FakePipe;
using zeph::testing::Frame;
using zeph::testing::ReplyFrame;

// Building blocks for golden frames: literal bytes, runs of zeros, ASCII.
Frame Cat(std::initializer_list<Frame> parts) {
  Frame all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
Frame Zeros(size_t n) { return Frame(n, 0); }
Frame Ascii(const char* text) { return Frame(text, text + std::strlen(text)); }

TEST(CardParams, ReadsWithDefaultsAndShortPayloads) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x0B0001, 0, {0x02, 0x02}));  // two bytes: upper bytes 0
  EXPECT_EQ(ReadConnectionState(pipe), 0x202u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x01, 0x00, 0x0B, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x14, 0, 0, 0, 0x01, 0x50, 0, 0}));

  FakePipe absent;
  absent.sendResult = kIpcNotConnected;
  EXPECT_EQ(ReadConnectionState(absent), 0u);
  EXPECT_EQ(ReadParam500E(absent), 0xFFFFFFFFu);
  EXPECT_EQ(ReadLongMessageFlag(absent), 1);

  FakePipe refused;
  refused.Reply(ReplyFrame(0x0B0001, 3, {0}));
  EXPECT_EQ(ReadLongMessageFlag(refused), 1);

  FakePipe off;
  off.Reply(ReplyFrame(0x0B0001, 0, {0x00, 0x77}));
  EXPECT_EQ(ReadLongMessageFlag(off), 0);
  EXPECT_THAT(off.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x01, 0x00, 0x0B, 0x00, 0x98,
                                                     0x3A, 0, 0, 0x14, 0, 0, 0, 0x0C, 0x51, 0, 0}));

  FakePipe wide;  // more than four bytes: the first four count
  wide.Reply(ReplyFrame(0x0B0001, 0, {1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ReadParam500E(wide), 0x04030201u);
  EXPECT_EQ(wide.last()[16], 0x0E);
  EXPECT_EQ(wide.last()[17], 0x50);
}

TEST(CardParams, ConnectionRuleNeedsACellularTypeAndStateTwoOrMore) {
  EXPECT_TRUE(ConnectionAllowsSending(0x202));
  EXPECT_TRUE(ConnectionAllowsSending(0x402));
  EXPECT_TRUE(ConnectionAllowsSending(0x20F));
  EXPECT_FALSE(ConnectionAllowsSending(0x201));
  EXPECT_FALSE(ConnectionAllowsSending(0x302));
  EXPECT_FALSE(ConnectionAllowsSending(0x1202));
  EXPECT_FALSE(ConnectionAllowsSending(0));
}

TEST(CardParams, WritesAndTheOptionalRequests) {
  FakePipe pipe;
  for (int i = 0; i < 6; ++i) pipe.Reply(ReplyFrame(0x0B0002, 0));
  EXPECT_EQ(WriteCardParamU8(pipe, 0x510C, 0), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x02, 0x00, 0x0B, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x15, 0, 0, 0, 0x0C, 0x51, 0,
                                                      0, 0x00}));
  EXPECT_EQ(WriteCardParamU32(pipe, 0x5001, 0x402), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x02, 0x00, 0x0B, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x18, 0, 0, 0, 0x01, 0x50, 0,
                                                      0, 0x02, 0x04, 0, 0}));
  EXPECT_EQ(WriteCardParamText(pipe, 0x6000, "ab"), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x02, 0x00, 0x0B, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x17, 0, 0, 0, 0x00, 0x60, 0,
                                                      0, 'a', 'b', 0}));
  EXPECT_EQ(SendCardParam3(pipe, 5), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x03, 0x00, 0x0B, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x14, 0, 0, 0, 5, 0, 0, 0}));

  FakePipe four;
  four.Reply(ReplyFrame(0x0B0004, 0, {0x78, 0x56, 0x34, 0x12}));
  uint32_t value = 0;
  EXPECT_EQ(ReadCardParam4(four, value), 0u);
  EXPECT_EQ(value, 0x12345678u);
  EXPECT_THAT(four.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x04, 0x00, 0x0B, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x10, 0, 0, 0}));

  FakePipe five;
  std::array<uint8_t, 76> info{};
  info.fill(0xEE);
  five.Reply(ReplyFrame(0x0B0005, 0, Frame(75, 1)));  // one byte short
  EXPECT_EQ(ReadCardParam5(five, 9, info), kResultShortReply);
  EXPECT_EQ(info[0], 0xEE);
  five.Reply(ReplyFrame(0x0B0005, 0, Frame(76, 1)));
  EXPECT_EQ(ReadCardParam5(five, 9, info), 0u);
  EXPECT_EQ(info[75], 1);
  EXPECT_THAT(five.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x05, 0x00, 0x0B, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x14, 0, 0, 0, 9, 0, 0, 0}));
}

TEST(CardManager, NoticeAndTheWaitingAndNoWaitForms) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x140006, 0));
  pipe.Reply(ReplyFrame(0x14000B, 0));
  pipe.Reply(ReplyFrame(0x140009, 0));
  EXPECT_EQ(SendModuleSwitchNotice(pipe), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x06, 0x00, 0x14, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x14, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(CardManagerRequest(pipe, 0x14000B, 99), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x0B, 0x00, 0x14, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x10, 0, 0, 0}));
  std::array<uint8_t, 23> field{};
  field[0] = 'x';
  field[22] = 'z';
  const uint8_t data[] = {1, 2};
  EXPECT_EQ(CardManagerData(pipe, field, data), 0u);
  EXPECT_THAT(pipe.last(),
              ElementsAreArray(Cat({{0, 0, 0, 0, 0x09, 0x00, 0x14, 0x00, 0x98, 0x3A, 0, 0, 0x2D,
                                     0, 0, 0, 'x'},
                                    Zeros(21),
                                    {'z', 2, 0, 0, 0, 1, 2}})));

  FakePipe noWait;
  EXPECT_EQ(CardManagerRequestNoWait(noWait, 0x140003, 1), 0u);
  EXPECT_EQ(CardManagerDataNoWait(noWait, field, data), 0u);
  EXPECT_EQ(noWait.reads, 0);
  EXPECT_THAT(noWait.sent[0], ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x03, 0x00, 0x14, 0x00, 0x20,
                                                         0xBF, 0x02, 0, 0x14, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(noWait.sent[1][8], 0x98);  // 15000 ms
  EXPECT_EQ(noWait.sent[1].size(), 45u);
}

TEST(CentreSettings, ReadCutsTheNumberAndWriteLaysOutTheFields) {
  FakePipe pipe;
  // 23 characters without a terminator: 22 are taken.
  pipe.Reply(ReplyFrame(0x290003, 0, Cat({Ascii("+4917012345678901234567"), {0x02, 0x01},
                                          {0x06, 0x05, 0x04, 0x03}})));
  CentreSettings settings;
  EXPECT_EQ(ReadCentreSettings(pipe, settings), 0u);
  EXPECT_EQ(settings.number, "+491701234567890123456");
  EXPECT_EQ(settings.value16, 0x0102);
  EXPECT_EQ(settings.value32, 0x03040506u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x03, 0x00, 0x29, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x10, 0, 0, 0}));

  FakePipe shortReply;  // ends before the u32
  shortReply.Reply(ReplyFrame(0x290003, 0, Cat({Ascii("+49"), Zeros(22)})));
  CentreSettings kept{"keep", 1, 2};
  EXPECT_EQ(ReadCentreSettings(shortReply, kept), kResultShortReply);
  EXPECT_EQ(kept.number, "keep");

  FakePipe write;
  write.Reply(ReplyFrame(0x290004, 0));
  EXPECT_EQ(WriteCentreSettings(write, {"+123", 0x0102, 0x03040506}), 0u);
  EXPECT_THAT(write.last(),
              ElementsAreArray(Cat({{0, 0, 0, 0, 0x04, 0x00, 0x29, 0x00, 0x98, 0x3A, 0, 0, 0x2D,
                                     0, 0, 0},
                                    Ascii("+123"),
                                    Zeros(19),
                                    {0x02, 0x01, 0x06, 0x05, 0x04, 0x03}})));
}

TEST(SendOptions, ReadAndWrite) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x290005, 0, {1, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0}));
  SendOptions options;
  EXPECT_EQ(ReadSendOptions(pipe, options), 0u);
  EXPECT_EQ(options, (SendOptions{1, 0, 7}));
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x05, 0x00, 0x29, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x10, 0, 0, 0}));
  pipe.Reply(ReplyFrame(0x290006, 0));
  EXPECT_EQ(WriteSendOptions(pipe, {1, 0, 1}), 0u);
  EXPECT_THAT(pipe.last(),
              ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x06, 0x00, 0x29, 0x00, 0x98, 0x3A, 0, 0,
                                         0x1C, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(SendShortMessage, LaysOutFlagsDestinationAndBlock) {
  // A text block as the send engine builds it: 1127 bytes, data "abc".
  Frame block(1127, 0);
  block[1] = 4;
  block[4] = 0x80;
  block[7] = '+';
  block[8] = '4';
  block[9] = '9';
  block[60] = 3;
  block[62] = 'a';
  block[63] = 'b';
  block[64] = 'c';
  block[65] = 'X';  // beyond the data length: not sent

  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x290000, 0, {0x2A}));
  uint8_t reference = 0;
  // 25 characters: the first 22 are sent.
  EXPECT_EQ(SendShortMessage(pipe, true, "+1234567890123456789012345", block, reference), 0u);
  EXPECT_EQ(reference, 0x2A);
  Frame golden = Cat({{0, 0, 0, 0, 0x00, 0x00, 0x29, 0x00, 0xC0, 0xD4, 0x01, 0x00, 0x71, 0, 0, 0},
                      {1},                      // +16 flag A
                      Zeros(8),                 // +17 flag B, +21 flag C
                      Ascii("+123456789012345678901"), {0},  // +25 destination
                      {0, 4, 0, 0, 0x80, 0, 0},  // +48 block head
                      Ascii("+49"), Zeros(20),  // service centre
                      Zeros(23),                // number
                      Zeros(7),                 // time stamp and the unused byte
                      {3, 0},                   // data length
                      Ascii("abc")});
  EXPECT_THAT(pipe.last(), ElementsAreArray(golden));

  FakePipe refused;
  refused.Reply(ReplyFrame(0x290000, 0x401));
  reference = 9;
  EXPECT_EQ(SendShortMessage(refused, false, "+1", block, reference), 0x401u);
  EXPECT_EQ(reference, 9);
  EXPECT_EQ(refused.last()[16], 0);

  FakePipe untouched;
  Frame cut(block.begin(), block.begin() + 64);  // says 3 data bytes, holds 2
  EXPECT_EQ(SendShortMessage(untouched, false, "+1", cut, reference), kResultBadRequest);
  EXPECT_TRUE(untouched.sent.empty());
}

TEST(StoredMessages, CountsReadAndDelete) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x290009, 0, {1, 2, 3}));
  StoredMessageCounts counts;
  EXPECT_EQ(ReadStoredMessageCounts(pipe, counts), 0u);
  EXPECT_EQ(counts.Total(), 6);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x09, 0x00, 0x29, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x10, 0, 0, 0}));

  std::vector<uint8_t> block = {0xEE};
  pipe.Reply(ReplyFrame(0x290007, 0, Frame(61, 1)));  // 81 bytes in all: too short
  EXPECT_EQ(ReadStoredMessage(pipe, 7, block), kResultShortReply);
  EXPECT_THAT(block, ElementsAreArray<uint8_t>({0xEE}));
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x07, 0x00, 0x29, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x11, 0, 0, 0, 7}));
  pipe.Reply(ReplyFrame(0x290007, 0, Frame(64, 2)));
  EXPECT_EQ(ReadStoredMessage(pipe, 7, block), 0u);
  EXPECT_EQ(block, Frame(64, 2));

  pipe.Reply(ReplyFrame(0x290008, 0));
  EXPECT_EQ(DeleteStoredMessage(pipe, 7), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x08, 0x00, 0x29, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x14, 0, 0, 0, 7, 0, 0, 0}));
}

TEST(Phonebook, EntryRequestsWidenNamesAndCutNumbers) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x2A0003, 0, {0x05, 0x00}));
  uint16_t location = 0;
  EXPECT_EQ(AddPhonebookEntry(pipe, "\xE9", "+4930123456789012345678901", location), 0u);
  EXPECT_EQ(location, 5);
  EXPECT_THAT(pipe.last(),
              ElementsAreArray(Cat({{0, 0, 0, 0, 0x03, 0x00, 0x2A, 0x00, 0x60, 0xEA, 0, 0, 0x53,
                                     0, 0, 0},
                                    {0, 0},              // location 0
                                    {0xE9, 0xFF},        // 0xE9 sign-extended
                                    Zeros(40),
                                    Ascii("+493012345678901234567"), {0}})));

  pipe.Reply(ReplyFrame(0x2A0001, 0));
  EXPECT_EQ(ReplacePhonebookEntry(pipe, 3, "Ab", "+1"), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Cat({{0, 0, 0, 0, 0x01, 0x00, 0x2A, 0x00, 0x60, 0xEA,
                                                  0, 0, 0x53, 0, 0, 0, 3, 0, 'A', 0, 'b', 0},
                                                 Zeros(38),
                                                 Ascii("+1"),
                                                 Zeros(21)})));

  pipe.Reply(ReplyFrame(0x2A0004, 0));
  EXPECT_EQ(DeletePhonebookEntry(pipe, 0x0102), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Cat({{0, 0, 0, 0, 0x04, 0x00, 0x2A, 0x00, 0x60, 0xEA,
                                                  0, 0, 0x53, 0, 0, 0, 0x02, 0x01},
                                                 Zeros(65)})));

  FakePipe refused;
  refused.Reply(ReplyFrame(0x2A0003, 0x302));
  location = 77;
  EXPECT_EQ(AddPhonebookEntry(refused, "A", "1", location), 0x302u);
  EXPECT_EQ(location, 77);
}

TEST(Phonebook, ReadLimitsAndSimTexts) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x2A0000, 0x301));  // no SIM
  ContactList contacts;
  EXPECT_EQ(ReadPhonebook(pipe, contacts), 0x301u);
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x00, 0x00, 0x2A, 0x00, 0x60,
                                                      0xEA, 0, 0, 0x10, 0, 0, 0}));

  std::array<uint8_t, 28> limits{};
  pipe.Reply(ReplyFrame(0x2C0010, 0, {0xFA, 0, 0, 0}));  // ends before +24
  EXPECT_EQ(ReadPhonebookLimits(pipe, limits), kResultShortReply);
  pipe.Reply(ReplyFrame(0x2C0010, 0, {0xFA, 0, 0, 0, 0x0E, 0, 0, 0}));
  EXPECT_EQ(ReadPhonebookLimits(pipe, limits), 0u);
  EXPECT_EQ(NameLimitOf(limits), 14u);
  EXPECT_EQ(limits[4], 0x10);  // the whole reply, header included
  EXPECT_THAT(pipe.last(), ElementsAreArray<uint8_t>({0, 0, 0, 0, 0x10, 0x00, 0x2C, 0x00, 0x98,
                                                      0x3A, 0, 0, 0x10, 0, 0, 0}));

  std::string text;
  pipe.Reply(ReplyFrame(0x2A0007, 0, Cat({Ascii("+4912"), {0}, Ascii("junk")})));
  EXPECT_EQ(ReadSimText(pipe, text), 0u);
  EXPECT_EQ(text, "+4912");
  pipe.Reply(ReplyFrame(0x2A0008, 0));
  EXPECT_EQ(WriteSimText(pipe, "+49"), 0u);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Cat({{0, 0, 0, 0, 0x08, 0x00, 0x2A, 0x00, 0x98, 0x3A,
                                                  0, 0, 0x27, 0, 0, 0},
                                                 Ascii("+49"),
                                                 Zeros(20)})));
}

}  // namespace
}  // namespace zeph
