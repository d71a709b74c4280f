#include "core/codecs/card_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codecs/error_table.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

using Bytes = std::vector<uint8_t>;

// A received block: the 62-byte head with status 0x02, `kind` and the data
// length, then `data`. Offsets written out as the block layout fixes them.
Bytes Received(uint8_t kind, const Bytes& data) {
  Bytes block(62, 0);
  block[0] = 0x02;
  block[1] = kind;
  block[60] = static_cast<uint8_t>(data.size());
  block[61] = static_cast<uint8_t>(data.size() >> 8);
  block.insert(block.end(), data.begin(), data.end());
  return block;
}

ReceivedMessage Decode(const Bytes& block) {
  return MessageRecordFromReceived(block);
}

PictureImage Numbered() {
  PictureImage picture{};
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i + 1);
  return picture;
}

// --- Sending -------------------------------------------------------------

TEST(CardMessageSendTest, PictureWithTextAbc) {
  auto record = CreateMessageRecord();
  record->flags = MRF_PICTURE | MRF_OUTGOING;
  record->text = "abc";
  record->picture = Numbered();
  Bytes block = BuildCardMessage(*record);

  ASSERT_EQ(block.size(), 62u + 263u);
  Bytes head(62, 0);
  head[1] = 3;
  head[60] = 0x07;  // 263 = 0x0107
  head[61] = 0x01;
  EXPECT_EQ(Bytes(block.begin(), block.begin() + 62), head);
  const uint8_t* payload = block.data() + 62;
  EXPECT_EQ(Bytes(payload, payload + 10),
            (Bytes{0x04, 0x00, 0x48, 0x00, 0x1C, 0x00, 0x61, 0x62, 0x63, 0x00}));
  EXPECT_EQ(Bytes(payload + 10, payload + 262), Bytes(record->picture->begin(), record->picture->end()));
  EXPECT_EQ(payload[262], 0);
}

TEST(CardMessageSendTest, PictureWithEmptyTextOrWithoutPictureBlock) {
  auto record = CreateMessageRecord();
  record->flags = MRF_PICTURE;
  record->text = "";
  record->picture = Numbered();
  Bytes block = BuildCardMessage(*record);
  ASSERT_EQ(block.size(), 62u + 260u);
  EXPECT_EQ(block[60], 0x04);  // 260 = 0x0104
  EXPECT_EQ(block[61], 0x01);
  const uint8_t* payload = block.data() + 62;
  EXPECT_EQ(Bytes(payload, payload + 7), (Bytes{0x01, 0x00, 0x48, 0x00, 0x1C, 0x00, 0x00}));
  EXPECT_EQ(payload[7], 1);      // first picture byte
  EXPECT_EQ(payload[258], 252);  // last picture byte
  EXPECT_EQ(payload[259], 0);

  // A picture flag without a picture block sends a white picture.
  record->picture.reset();
  block = BuildCardMessage(*record);
  ASSERT_EQ(block.size(), 62u + 260u);
  EXPECT_EQ(Bytes(block.begin() + 62 + 7, block.end()), Bytes(253, 0));
}

TEST(CardMessageSendTest, TextsAndCardsTravelInA1127ByteBlock) {
  auto record = CreateMessageRecord();
  record->flags = MRF_OUTGOING;
  record->text = "Hi there";
  Bytes block = BuildCardMessage(*record);
  ASSERT_EQ(block.size(), 1127u);
  EXPECT_EQ(block[1], 4);
  EXPECT_EQ(block[60], 8);
  EXPECT_EQ(block[61], 0);
  EXPECT_EQ(std::string(block.begin() + 62, block.begin() + 70), "Hi there");
  EXPECT_EQ(Bytes(block.begin() + 70, block.end()), Bytes(1127 - 70, 0));

  // A business card keeps its line breaks.
  record->flags = MRF_BUSINESSCARD;
  record->text = "BEGIN:VCARD\r\nEND:VCARD\r\n";
  block = BuildCardMessage(*record);
  ASSERT_EQ(block.size(), 1127u);
  EXPECT_EQ(block[1], 5);
  EXPECT_EQ(block[60], 24);
  EXPECT_EQ(std::string(block.begin() + 62, block.begin() + 86), "BEGIN:VCARD\r\nEND:VCARD\r\n");
  EXPECT_EQ(block[86], 0);
}

TEST(CardMessageSendTest, OverlongTextIsCutToTheBlockAndMissingTextIsEmpty) {
  auto record = CreateMessageRecord();
  record->text = std::string(1100, 'x');
  Bytes block = BuildCardMessage(*record);
  ASSERT_EQ(block.size(), 1127u);
  EXPECT_EQ(block[60] | (block[61] << 8), 1064);
  EXPECT_EQ(block[62 + 1063], 'x');
  EXPECT_EQ(block[62 + 1064], 0);

  record->text.reset();
  block = BuildCardMessage(*record);
  EXPECT_EQ(block.size(), 1127u);
  EXPECT_EQ(block[60], 0);
}

TEST(CardMessageSendTest, RouteSetsServiceCentreAndReplyPathOnly) {
  auto record = CreateMessageRecord();
  record->text = "x";
  Bytes block = BuildCardMessage(*record);
  Bytes before = block;
  const std::string longCentre = "+4917200000000000000000999";  // 26 characters
  SetSendRoute(block, longCentre, true);
  EXPECT_EQ(block[4], 0x80);
  EXPECT_EQ(std::string(block.begin() + 7, block.begin() + 29), longCentre.substr(0, 22));
  EXPECT_EQ(block[29], 0);
  for (size_t i = 0; i < block.size(); ++i) {
    if (i != 4 && (i < 7 || i >= 30)) {
      EXPECT_EQ(block[i], before[i]) << "offset " << i;
    }
  }

  SetSendRoute(block, "+4917", false);
  EXPECT_EQ(block[4], 0x80);  // the bit is only ever set
  EXPECT_EQ(std::string(block.begin() + 7, block.begin() + 13), std::string("+4917\0", 6));
  EXPECT_EQ(Bytes(block.begin() + 12, block.begin() + 30), Bytes(18, 0));

  Bytes tiny(10, 0);
  SetSendRoute(tiny, "+4917", true);  // too short to be a block: left alone
  EXPECT_EQ(tiny, Bytes(10, 0));
}

// --- Reception -----------------------------------------------------------

TEST(CardMessageReceiveTest, HeadFieldsBecomeRecordFields) {
  Bytes block = Received(1, {'y', 'o'});
  block[3] = 77;    // reference
  block[4] = 0x80;  // reply path
  const std::string centre = "+49172000";
  const std::string sender = "+4917612345";
  std::copy(centre.begin(), centre.end(), block.begin() + 7);
  std::copy(sender.begin(), sender.end(), block.begin() + 30);
  const Bytes stamp = {0x20, 0x21, 0x30, 0x41, 0x53, 0x00};
  std::copy(stamp.begin(), stamp.end(), block.begin() + 53);
  block[59] = 0xFF;  // not used

  ReceivedMessage received = Decode(block);
  ASSERT_TRUE(received.record);
  const MessageRecord& record = *received.record;
  EXPECT_EQ(received.error, 0);
  EXPECT_EQ(record.reference, 77);
  EXPECT_EQ(record.flags, MRF_REPLYPATH);
  EXPECT_EQ(record.numbers.Count(), 1);
  EXPECT_EQ(FirstNumber(record), sender);
  EXPECT_EQ(FieldText(record.serviceCentre), centre);
  EXPECT_EQ(TextOf(record), "yo");
  EXPECT_FALSE(record.picture);
  RecordTime expected{2002, 12, 0, 3, 14, 35, 0, 0};
  EXPECT_EQ(record.time, expected);
}

TEST(CardMessageReceiveTest, ProtocolIdentifierGivesReplaceType) {
  struct Case {
    uint8_t protocolId;
    uint32_t flags;
  };
  for (Case c : {Case{0x41, 0x20000}, Case{0x47, 0xE0000}, Case{0x07, 0}, Case{0x40, 0},
                 Case{0x42, 0x40000}, Case{0xC4, 0x80000}}) {
    Bytes block = Received(1, {'a'});
    block[5] = c.protocolId;
    EXPECT_EQ(Decode(block).record->flags, c.flags) << "protocol id " << int(c.protocolId);
  }
}

TEST(CardMessageReceiveTest, SixteenBitTextKeepsTheSecondByteOfEachPair) {
  EXPECT_EQ(TextOf(*Decode(Received(0, {0x00, 0x48, 0x00, 0x69})).record), "Hi");
  // An odd last byte is no whole character.
  EXPECT_EQ(TextOf(*Decode(Received(0, {0x00, 0x48, 0x00, 0x69, 0x00})).record), "Hi");
  // A zero character ends the text, as the terminator would.
  EXPECT_EQ(TextOf(*Decode(Received(0, {0x00, 0x41, 0x00, 0x00, 0x00, 0x42})).record), "A");
}

TEST(CardMessageReceiveTest, KindsSetTheirFlags) {
  EXPECT_EQ(Decode(Received(5, {'B'})).record->flags, MRF_BUSINESSCARD);
  EXPECT_EQ(Decode(Received(4, {'t'})).record->flags, 0u);
  EXPECT_EQ(Decode(Received(2, {'t'})).record->flags, 0u);
  EXPECT_EQ(Decode(Received(200, {'t'})).record->flags, 0u);
  EXPECT_EQ(TextOf(*Decode(Received(200, {'t', 'u'})).record), "tu");
  EXPECT_EQ(Decode(Received(3, {})).record->flags, MRF_PICTURE);
  EXPECT_EQ(Decode(Received(7, {})).record->flags, MRF_PICTURE);
}

TEST(CardMessageReceiveTest, ReportWithAnUnknownStatusIsAText) {
  Bytes block = Received(6, {'o', 'k', '!'});
  block[6] = 3;
  ReceivedMessage received = Decode(block);
  EXPECT_EQ(received.record->flags, 0u);
  EXPECT_EQ(TextOf(*received.record), "ok!");
}

TEST(CardMessageReceiveTest, ReportsGiveTheirReferenceAndStatusAndNoText) {
  struct Case {
    uint8_t status;
    uint32_t flag;
  };
  for (Case c :
       {Case{0, MRF_REPORT_PENDING}, Case{1, MRF_REPORT_DELIVERED}, Case{2, MRF_REPORT_FAILED}}) {
    Bytes block = Received(6, {'x', 'y'});
    block[3] = 9;
    block[6] = c.status;
    ReceivedMessage received = Decode(block);
    EXPECT_EQ(received.record->flags, MRF_REPORT | c.flag);
    ASSERT_TRUE(received.report.has_value());
    EXPECT_EQ(received.report->reference, 9);
    EXPECT_EQ(received.report->status, c.status);
    EXPECT_FALSE(received.record->text);  // the matching entry's text, found by reception
    EXPECT_FALSE(received.record->picture);
  }
  EXPECT_FALSE(Decode(Received(1, {'x'})).report.has_value());
}

TEST(CardMessageReceiveTest, UnknownDataIsReportedToTheCaller) {
  ReceivedMessage received = Decode(Received(255, {1, 2, 3}));
  EXPECT_EQ(received.record->flags, MRF_UNKNOWNDATA);
  EXPECT_EQ(TextOf(*received.record), "<Unknown data message>");
  EXPECT_EQ(received.error, kErrorUnknownDataMessage);
  EXPECT_EQ(Decode(Received(1, {1})).error, 0);
}

// --- Received pictures ---------------------------------------------------

// A picture payload: text length, width, height, then `text`, then `rows`.
Bytes Payload(uint16_t textLength, uint16_t width, uint16_t height, const Bytes& text,
              const Bytes& rows) {
  Bytes p = {static_cast<uint8_t>(textLength), static_cast<uint8_t>(textLength >> 8),
             static_cast<uint8_t>(width),      static_cast<uint8_t>(width >> 8),
             static_cast<uint8_t>(height),     static_cast<uint8_t>(height >> 8)};
  p.insert(p.end(), text.begin(), text.end());
  p.insert(p.end(), rows.begin(), rows.end());
  return p;
}

Bytes RowsOf(size_t rows, size_t bytesPerRow) {
  Bytes b;
  for (size_t r = 0; r < rows; ++r) {
    for (size_t i = 0; i < bytesPerRow; ++i) b.push_back(static_cast<uint8_t>(r * 16 + i + 1));
  }
  return b;
}

TEST(CardMessageReceiveTest, EightBitPictureText) {
  Bytes rows = RowsOf(28, 9);
  ReceivedMessage received =
      Decode(Received(3, Payload(4, 72, 28, {'a', 'b', 'c', 0}, rows)));
  ASSERT_TRUE(received.record->picture);
  EXPECT_EQ(TextOf(*received.record), "abc");
  EXPECT_EQ(Bytes(received.record->picture->begin(), received.record->picture->end()), rows);
}

TEST(CardMessageReceiveTest, SixteenBitPictureText) {
  ReceivedMessage received =
      Decode(Received(7, Payload(6, 72, 28, {0x00, 0x4F, 0x00, 0x4B, 0x00, 0x00}, RowsOf(28, 9))));
  EXPECT_EQ(TextOf(*received.record), "OK");
  EXPECT_EQ((*received.record->picture)[0], 1);
  EXPECT_EQ((*received.record->picture)[251], static_cast<uint8_t>(27 * 16 + 9));
}

TEST(CardMessageReceiveTest, LargerPictureIsCutAt72By28) {
  Bytes rows = RowsOf(30, 10);  // 80 x 30
  ReceivedMessage received = Decode(Received(3, Payload(1, 80, 30, {0}, rows)));
  const PictureImage& picture = *received.record->picture;
  for (size_t r = 0; r < 28; ++r) {
    for (size_t i = 0; i < 9; ++i) {
      EXPECT_EQ(picture[r * 9 + i], rows[r * 10 + i]) << "row " << r << " byte " << i;
    }
  }
}

TEST(CardMessageReceiveTest, NarrowerPictureLeavesTheRightColumnWhite) {
  Bytes rows = RowsOf(28, 8);  // 64 pixels wide
  ReceivedMessage received = Decode(Received(3, Payload(1, 64, 28, {0}, rows)));
  const PictureImage& picture = *received.record->picture;
  for (size_t r = 0; r < 28; ++r) {
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(picture[r * 9 + i], rows[r * 8 + i]);
    EXPECT_EQ(picture[r * 9 + 8], 0) << "row " << r;
  }
  // A width that is not a multiple of 8 drops the partial byte: 70 gives 8.
  received = Decode(Received(3, Payload(1, 70, 2, {0}, RowsOf(2, 8))));
  EXPECT_EQ((*received.record->picture)[9], RowsOf(2, 8)[8]);
}

// --- Hostile blocks ------------------------------------------------------

TEST(CardMessageReceiveTest, BlockShorterThanItsHeadIsNoMessage) {
  EXPECT_FALSE(Decode(Bytes(61, 0x02)).record);
  EXPECT_FALSE(Decode({}).record);
  // The head alone is a message with no data.
  Bytes head(62, 0);
  head[1] = 1;
  ReceivedMessage received = Decode(head);
  ASSERT_TRUE(received.record);
  EXPECT_EQ(TextOf(*received.record), "");
}

TEST(CardMessageReceiveTest, LyingDataLengthReadsOnlyWhatIsThere) {
  Bytes block = Received(1, {'a', 'b', 'c'});
  block[60] = 0xFF;
  block[61] = 0xFF;
  EXPECT_EQ(TextOf(*Decode(block).record), "abc");
  block[1] = 0;
  EXPECT_EQ(TextOf(*Decode(block).record), "b");

  // Shorter than the data: only the declared bytes are text.
  block = Received(1, {'a', 'b', 'c'});
  block[60] = 2;
  EXPECT_EQ(TextOf(*Decode(block).record), "ab");
}

TEST(CardMessageReceiveTest, DataLongerThanTheWorkingBufferIsCutTo1599) {
  EXPECT_EQ(TextOf(*Decode(Received(1, Bytes(3000, 'z'))).record).size(), 1599u);
  EXPECT_EQ(TextOf(*Decode(Received(1, Bytes(1599, 'z'))).record).size(), 1599u);
  Bytes wide;
  for (int i = 0; i < 2000; ++i) wide.insert(wide.end(), {0x00, 'w'});
  EXPECT_EQ(TextOf(*Decode(Received(0, wide)).record).size(), 1599u);
  Bytes pictureText(2000, 't');
  EXPECT_EQ(TextOf(*Decode(Received(3, Payload(2000, 72, 28, pictureText, {}))).record).size(),
            1599u);
}

TEST(CardMessageReceiveTest, PicturePayloadsThatLie) {
  // Cut inside the payload head: no text, a white picture.
  ReceivedMessage received = Decode(Received(3, {0x05, 0x00, 0x48}));
  EXPECT_EQ(TextOf(*received.record), "");
  EXPECT_EQ(*received.record->picture, PictureImage{});

  // A text length far beyond the payload: the text is what is there, and
  // the rows, which would start past the end, stay white.
  received = Decode(Received(3, Payload(0xFFFF, 72, 28, {'h', 'i'}, {})));
  EXPECT_EQ(TextOf(*received.record), "hi");
  EXPECT_EQ(*received.record->picture, PictureImage{});
  received = Decode(Received(7, Payload(0xFFFF, 72, 28, {0, 'h', 0, 'i', 0}, {})));
  EXPECT_EQ(TextOf(*received.record), "hi");

  // Rows cut short: the part that is there is copied, the rest stays white.
  Bytes rows = RowsOf(2, 9);
  rows.resize(13);
  received = Decode(Received(3, Payload(1, 72, 28, {0}, rows)));
  const PictureImage& picture = *received.record->picture;
  EXPECT_EQ(Bytes(picture.begin(), picture.begin() + 13), rows);
  EXPECT_EQ(Bytes(picture.begin() + 13, picture.end()), Bytes(252 - 13, 0));

  // Huge width and height with little data.
  received = Decode(Received(3, Payload(1, 0xFFFF, 0xFFFF, {0}, RowsOf(1, 9))));
  EXPECT_EQ(Bytes(received.record->picture->begin(), received.record->picture->begin() + 9),
            RowsOf(1, 9));
}

}  // namespace
}  // namespace zeph
