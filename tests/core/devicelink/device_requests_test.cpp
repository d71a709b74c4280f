// Every request of the catalogue against bytes written out by hand, and its reply read.

#include "core/devicelink/device_requests.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>

#include "core/devicelink/result_codes.h"
#include "support/fake_pipe.h"

namespace zeph {
namespace {

using ::testing::ElementsAreArray;
using zeph::testing::FakePipe;
using zeph::testing::Frame;
using zeph::testing::ReplyFrame;

// Golden frame parts: bytes, zeros, ASCII, and a request header (0, id, timeoutMs, length).
Frame Cat(std::initializer_list<Frame> parts) {
  Frame all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
Frame Zeros(size_t n) {
  return Frame(n, 0);
}
Frame Ascii(const char* text) {
  return Frame(text, text + std::strlen(text));
}
Frame Head(uint32_t id, uint32_t length, uint32_t timeoutMs = 15000) {
  Frame head(4, 0);
  for (uint32_t v : {id, timeoutMs, length})
    for (int i = 0; i < 4; ++i) head.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return head;
}

// Requests whose reply carries nothing but its status.
TEST(DeviceRequests, RequestsAreLaidOutAsTheCardExpects) {
  std::array<uint8_t, 23> field{};
  field[0] = 'x';
  field[22] = 'z';
  const uint8_t data[] = {1, 2};
  const CentreSettings centre{"+123", 0x0102, 0x03040506};
  const SendOptions options{1, 0, 1};
  struct Case {
    const char* what;
    std::function<uint32_t(Pipe&)> call;
    Frame golden;
    bool waits = true;  // for the reply
  };
  const Case cases[] = {
      {"param u8", [](Pipe& p) { return WriteCardParamU8(p, 0x510C, 0); },
       Cat({Head(0x0B0002, 21), {0x0C, 0x51, 0, 0, 0}})},
      {"param u32", [](Pipe& p) { return WriteCardParamU32(p, 0x5001, 0x402); },
       Cat({Head(0x0B0002, 24), {0x01, 0x50, 0, 0, 0x02, 0x04, 0, 0}})},
      {"param text", [](Pipe& p) { return WriteCardParamText(p, 0x6000, "ab"); },
       Cat({Head(0x0B0002, 23), {0x00, 0x60, 0, 0, 'a', 'b', 0}})},
      {"param 3", [](Pipe& p) { return SendCardParam3(p, 5); },
       Cat({Head(0x0B0003, 20), {5, 0, 0, 0}})},
      {"module switch", [](Pipe& p) { return SendModuleSwitchNotice(p); },
       Cat({Head(0x140006, 20), Zeros(4)})},
      {"card manager", [](Pipe& p) { return CardManagerRequest(p, 0x14000B, 99); },
       Head(0x14000B, 16)},
      {"card manager data", [&](Pipe& p) { return CardManagerData(p, field, data); },
       Cat({Head(0x140009, 45), {'x'}, Zeros(21), {'z', 2, 0, 0, 0, 1, 2}})},
      {"card manager, no wait", [](Pipe& p) { return CardManagerRequestNoWait(p, 0x140003, 1); },
       Cat({Head(0x140003, 20, 180000), {1, 0, 0, 0}}), false},
      {"card manager data, no wait", [&](Pipe& p) { return CardManagerDataNoWait(p, field, data); },
       Cat({Head(0x140009, 45), {'x'}, Zeros(21), {'z', 2, 0, 0, 0, 1, 2}}), false},
      {"centre", [&](Pipe& p) { return WriteCentreSettings(p, centre); },
       Cat({Head(0x290004, 45), Ascii("+123"), Zeros(19), {0x02, 0x01, 0x06, 0x05, 0x04, 0x03}})},
      {"send options", [&](Pipe& p) { return WriteSendOptions(p, options); },
       Cat({Head(0x290006, 28), {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}})},
      {"delete stored", [](Pipe& p) { return DeleteStoredMessage(p, 7); },
       Cat({Head(0x290008, 20), {7, 0, 0, 0}})},
      {"replace entry", [](Pipe& p) { return ReplacePhonebookEntry(p, 3, "Ab", "+1"); },
       Cat({Head(0x2A0001, 83, 60000), {3, 0, 'A', 0, 'b', 0}, Zeros(38), Ascii("+1"), Zeros(21)})},
      {"delete entry", [](Pipe& p) { return DeletePhonebookEntry(p, 0x0102); },
       Cat({Head(0x2A0004, 83, 60000), {0x02, 0x01}, Zeros(65)})},
      {"sim text", [](Pipe& p) { return WriteSimText(p, "+49"); },
       Cat({Head(0x2A0008, 39), Ascii("+49"), Zeros(20)})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakePipe pipe;
    pipe.Reply(ReplyFrame(0x1, 0));
    EXPECT_EQ(c.call(pipe), 0u);
    ASSERT_EQ(pipe.sent.size(), 1u);
    EXPECT_EQ(pipe.reads, c.waits ? 1 : 0);
    EXPECT_THAT(pipe.last(), ElementsAreArray(c.golden));
  }
}

TEST(CardParams, ReadsWithDefaultsAndShortPayloads) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x0B0001, 0, {0x02, 0x02}));  // two bytes: upper bytes 0
  EXPECT_EQ(ReadConnectionState(pipe), 0x202u);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Cat({Head(0x0B0001, 20), {0x01, 0x50, 0, 0}})));
  FakePipe absent;
  absent.sendResult = kIpcNotConnected;
  EXPECT_EQ(ReadConnectionState(absent), 0u);
  EXPECT_EQ(ReadParam500E(absent), 0xFFFFFFFFu);
  EXPECT_EQ(ReadLongMessageFlag(absent), 1);
  pipe.Reply(ReplyFrame(0x0B0001, 3, {0}));
  EXPECT_EQ(ReadLongMessageFlag(pipe), 1);
  pipe.Reply(ReplyFrame(0x0B0001, 0, {0x00, 0x77}));
  EXPECT_EQ(ReadLongMessageFlag(pipe), 0);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Cat({Head(0x0B0001, 20), {0x0C, 0x51, 0, 0}})));
  pipe.Reply(ReplyFrame(0x0B0001, 0, {1, 2, 3, 4, 5, 6}));  // more than four bytes: four count
  EXPECT_EQ(ReadParam500E(pipe), 0x04030201u);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Cat({Head(0x0B0001, 20), {0x0E, 0x50, 0, 0}})));

  pipe.Reply(ReplyFrame(0x0B0004, 0, {0x78, 0x56, 0x34, 0x12}));
  uint32_t value = 0;
  EXPECT_EQ(ReadCardParam4(pipe, value), 0u);
  EXPECT_EQ(value, 0x12345678u);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Head(0x0B0004, 16)));

  std::array<uint8_t, 76> info{};
  info.fill(0xEE);
  pipe.Reply(ReplyFrame(0x0B0005, 0, Frame(75, 1)));  // one byte short
  EXPECT_EQ(ReadCardParam5(pipe, 9, info), kResultShortReply);
  EXPECT_EQ(info[0], 0xEE);
  pipe.Reply(ReplyFrame(0x0B0005, 0, Frame(76, 1)));
  EXPECT_EQ(ReadCardParam5(pipe, 9, info), 0u);
  EXPECT_EQ(info[75], 1);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Cat({Head(0x0B0005, 20), {9, 0, 0, 0}})));
}

TEST(CentreSettings, ReadCutsTheNumberAndAShortReplyChangesNothing) {
  FakePipe pipe;
  // 23 characters without a terminator: 22 are taken.
  pipe.Reply(
      ReplyFrame(0x290003, 0,
                 Cat({Ascii("+4917012345678901234567"), {0x02, 0x01}, {0x06, 0x05, 0x04, 0x03}})));
  CentreSettings settings;
  EXPECT_EQ(ReadCentreSettings(pipe, settings), 0u);
  EXPECT_EQ(std::tuple(settings.number, settings.value16, settings.value32),
            std::tuple("+491701234567890123456", 0x0102, 0x03040506u));
  EXPECT_THAT(pipe.last(), ElementsAreArray(Head(0x290003, 16)));

  pipe.Reply(ReplyFrame(0x290003, 0, Cat({Ascii("+49"), Zeros(22)})));  // ends before the u32
  CentreSettings kept{"keep", 1, 2};
  EXPECT_EQ(ReadCentreSettings(pipe, kept), kResultShortReply);
  EXPECT_EQ(kept.number, "keep");

  pipe.Reply(ReplyFrame(0x290005, 0, {1, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0}));
  SendOptions read;
  EXPECT_EQ(ReadSendOptions(pipe, read), 0u);
  EXPECT_EQ(read, (SendOptions{1, 0, 7}));
  EXPECT_THAT(pipe.last(), ElementsAreArray(Head(0x290005, 16)));
}

TEST(SendShortMessage, LaysOutFlagsDestinationAndBlock) {
  // A 1127-byte text block with data "abc" and a byte past the data length, not sent.
  Frame block = Cat({{0, 4, 0, 0, 0x80, 0, 0}, Ascii("+49"), Zeros(50), {3, 0}, Ascii("abcX")});
  block.resize(1127);
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x290000, 0, {0x2A}));
  uint8_t reference = 0;
  // 25 characters: the first 22 are sent.
  EXPECT_EQ(SendShortMessage(pipe, true, "+1234567890123456789012345", block, reference), 0u);
  EXPECT_EQ(reference, 0x2A);
  Frame golden = Cat({Head(0x290000, 0x71, 120000),
                      {1},       // +16 flag A
                      Zeros(8),  // +17 flag B, +21 flag C
                      Ascii("+123456789012345678901"),
                      {0},                       // +25 destination
                      {0, 4, 0, 0, 0x80, 0, 0},  // +48 block head
                      Ascii("+49"),
                      Zeros(20),  // service centre
                      Zeros(23),  // number
                      Zeros(7),   // time stamp and the unused byte
                      {3, 0},     // data length
                      Ascii("abc")});
  EXPECT_THAT(pipe.last(), ElementsAreArray(golden));

  pipe.Reply(ReplyFrame(0x290000, 0x401));
  reference = 9;
  EXPECT_EQ(SendShortMessage(pipe, false, "+1", block, reference), 0x401u);
  EXPECT_EQ(reference, 9);
  EXPECT_EQ(pipe.last()[16], 0);

  FakePipe untouched;
  Frame cut(block.begin(), block.begin() + 64);  // says 3 data bytes, holds 2
  EXPECT_EQ(SendShortMessage(untouched, false, "+1", cut, reference), kResultBadRequest);
  EXPECT_TRUE(untouched.sent.empty());
}

TEST(StoredMessages, CountsAndReadWholeBlocksOnly) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x290009, 0, {1, 2, 3}));
  StoredMessageCounts counts;
  EXPECT_EQ(ReadStoredMessageCounts(pipe, counts), 0u);
  EXPECT_EQ(counts.Total(), 6);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Head(0x290009, 16)));

  std::vector<uint8_t> block = {0xEE};
  pipe.Reply(ReplyFrame(0x290007, 0, Frame(61, 1)));  // 81 bytes in all: too short
  EXPECT_EQ(ReadStoredMessage(pipe, 7, block), kResultShortReply);
  EXPECT_THAT(block, ElementsAreArray<uint8_t>({0xEE}));
  EXPECT_THAT(pipe.last(), ElementsAreArray(Cat({Head(0x290007, 17), {7}})));
  pipe.Reply(ReplyFrame(0x290007, 0, Frame(64, 2)));
  EXPECT_EQ(ReadStoredMessage(pipe, 7, block), 0u);
  EXPECT_EQ(block, Frame(64, 2));
}

TEST(Phonebook, AddWidensTheNameAndCutsTheNumber) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x2A0003, 0, {0x05, 0x00}));
  uint16_t location = 0;
  EXPECT_EQ(AddPhonebookEntry(pipe, "\xE9", "+4930123456789012345678901", location), 0u);
  EXPECT_EQ(location, 5);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Cat({Head(0x2A0003, 83, 60000),
                                                 {0, 0},        // location 0
                                                 {0xE9, 0xFF},  // 0xE9 sign-extended
                                                 Zeros(40),
                                                 Ascii("+493012345678901234567"),
                                                 {0}})));
  pipe.Reply(ReplyFrame(0x2A0003, 0x302));
  location = 77;
  EXPECT_EQ(AddPhonebookEntry(pipe, "A", "1", location), 0x302u);
  EXPECT_EQ(location, 77);
}

TEST(Phonebook, ReadLimitsAndSimTexts) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x2A0000, 0x301));  // no SIM
  ContactList contacts;
  EXPECT_EQ(ReadPhonebook(pipe, contacts), 0x301u);
  EXPECT_THAT(pipe.last(), ElementsAreArray(Head(0x2A0000, 16, 60000)));

  std::array<uint8_t, 28> limits{};
  pipe.Reply(ReplyFrame(0x2C0010, 0, {0xFA, 0, 0, 0}));  // ends before +24
  EXPECT_EQ(ReadPhonebookLimits(pipe, limits), kResultShortReply);
  pipe.Reply(ReplyFrame(0x2C0010, 0, {0xFA, 0, 0, 0, 0x0E, 0, 0, 0}));
  EXPECT_EQ(ReadPhonebookLimits(pipe, limits), 0u);
  EXPECT_EQ(NameLimitOf(limits), 14u);
  EXPECT_EQ(limits[4], 0x10);  // the whole reply, header included
  EXPECT_THAT(pipe.last(), ElementsAreArray(Head(0x2C0010, 16)));

  std::string text;
  pipe.Reply(ReplyFrame(0x2A0007, 0, Cat({Ascii("+4912"), {0}, Ascii("junk")})));
  EXPECT_EQ(ReadSimText(pipe, text), 0u);
  EXPECT_EQ(text, "+4912");
}

}  // namespace
}  // namespace zeph
