#include "core/codecs/card_message.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "core/codecs/error_table.h"
#include "core/util/fixed_text.h"
#include "support/records.h"

namespace zeph {
namespace {

using Bytes = std::vector<uint8_t>;

// A received block: the 62-byte head with status 0x02, `kind` and the data length, then `data`.
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

// A block to send: the head with `kind` and `length`, the data, zeros up to `size`.
Bytes Sent(uint8_t kind, std::initializer_list<Bytes> data, uint16_t length, size_t size = 0) {
  Bytes block(62, 0);
  block[1] = kind;
  block[60] = static_cast<uint8_t>(length);
  block[61] = static_cast<uint8_t>(length >> 8);
  for (const Bytes& part : data) block.insert(block.end(), part.begin(), part.end());
  block.resize(std::max(size, block.size()), 0);
  return block;
}

TEST(CardMessageSendTest, PicturesTextsAndCardsAsTheCardExpectsThem) {
  const PictureImage numbered = testing::NumberedPicture();
  const Bytes picture(numbered.begin(), numbered.end());
  const Bytes card = {'B', 'E', 'G', 'I', 'N', '\r', '\n', 'E', 'N', 'D', '\r', '\n'};
  struct Case {
    const char* what;
    uint32_t flags;
    std::string text;
    bool withPicture;
    Bytes block;
  };
  const Case cases[] = {
      {"picture with text", MRF_PICTURE | MRF_OUTGOING, "abc", true,
       Sent(3, {{4, 0, 0x48, 0, 0x1C, 0, 'a', 'b', 'c', 0}, picture, {0}}, 263)},
      {"picture, empty text", MRF_PICTURE, "", true,
       Sent(3, {{1, 0, 0x48, 0, 0x1C, 0, 0}, picture, {0}}, 260)},
      {"picture flag without a picture: white", MRF_PICTURE, "", false,
       Sent(3, {{1, 0, 0x48, 0, 0x1C, 0}, Bytes(254, 0)}, 260)},
      {"text", MRF_OUTGOING, "Hi there", false,
       Sent(4, {{'H', 'i', ' ', 't', 'h', 'e', 'r', 'e'}}, 8, 1127)},
      {"a card keeps its line breaks", MRF_BUSINESSCARD, "BEGIN\r\nEND\r\n", false,
       Sent(5, {card}, 12, 1127)},
      {"overlong text is cut to the block", 0, std::string(1100, 'x'), false,
       Sent(4, {Bytes(1064, 'x')}, 1064, 1127)},
      {"empty text", 0, "", false, Sent(4, {}, 0, 1127)},
  };
  for (const Case& c : cases) {
    auto record = CreateMessageRecord();
    record->flags = c.flags;
    record->text = c.text;
    if (c.withPicture) record->picture = numbered;
    EXPECT_EQ(BuildCardMessage(*record), c.block) << c.what;
  }
}

TEST(CardMessageSendTest, RouteSetsServiceCentreAndReplyPathOnly) {
  auto record = CreateMessageRecord();
  EXPECT_EQ(BuildCardMessage(*record), Sent(4, {}, 0, 1127));  // a missing text is an empty one
  record->text = "x";
  Bytes block = BuildCardMessage(*record);
  Bytes expected = block;  // the route's bytes change, every other stays
  const std::string longCentre = "+4917200000000000000000999";  // 26 characters: 22 are kept
  SetSendRoute(block, longCentre, true);
  expected[4] = 0x80;
  std::copy_n(longCentre.begin(), 22, expected.begin() + 7);  // then the terminator, 0
  EXPECT_EQ(block, expected);

  SetSendRoute(block, "+4917", false);  // the bit is only ever set
  std::fill(expected.begin() + 7, expected.begin() + 30, 0);
  std::copy_n("+4917", 5, expected.begin() + 7);
  EXPECT_EQ(block, expected);

  Bytes tiny(10, 0);
  SetSendRoute(tiny, "+4917", true);  // too short to be a block: left alone
  EXPECT_EQ(tiny, Bytes(10, 0));
}

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
  const MessageRecord& r = *received.record;
  EXPECT_EQ(std::tuple(received.error, r.reference, r.flags, r.numbers.Count(), FirstNumber(r),
                       FieldText(r.serviceCentre), TextOf(r), r.picture.has_value()),
            std::tuple(0, 77, MRF_REPLYPATH, 1, sender, centre, "yo", false));
  EXPECT_EQ(r.time, (RecordTime{2002, 12, 0, 3, 14, 35, 0, 0}));
}

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

// `count` 16-bit characters `c`.
Bytes Wide(size_t count, uint8_t c) {
  Bytes wide;
  for (size_t i = 0; i < count; ++i) wide.insert(wide.end(), {0x00, c});
  return wide;
}

// Also data lengths that lie, and data longer than the working buffer, cut to 1599.
TEST(CardMessageReceiveTest, KindAndProtocolIdentifierGiveFlagsAndText) {
  struct Case {
    uint8_t kind, protocolId;
    Bytes data;
    uint32_t flags;
    std::string text;
    int declaredLength = -1;  // the head's data length, when it is not the data's
  };
  const Case cases[] = {
      {1, 0x41, {'a'}, 0x20000, "a"},  // the replace types
      {1, 0x47, {'a'}, 0xE0000, "a"},
      {1, 0x42, {'a'}, 0x40000, "a"},
      {1, 0xC4, {'a'}, 0x80000, "a"},
      {1, 0x07, {'a'}, 0, "a"},
      {1, 0x40, {'a'}, 0, "a"},
      {0, 0, {0x00, 0x48, 0x00, 0x69}, 0, "Hi"},        // 16 bits: the second byte of each pair
      {0, 0, {0x00, 0x48, 0x00, 0x69, 0x00}, 0, "Hi"},  // an odd last byte is no character
      {0, 0, {0x00, 0x41, 0x00, 0x00, 0x00, 0x42}, 0, "A"},  // a zero character ends it
      {5, 0, {}, MRF_BUSINESSCARD, ""},
      {4, 0, {}, 0, ""},
      {2, 0, {}, 0, ""},
      {200, 0, {'t', 'u'}, 0, "tu"},
      {3, 0, {}, MRF_PICTURE, ""},
      {7, 0, {}, MRF_PICTURE, ""},
      {255, 0, {1, 2, 3}, MRF_UNKNOWNDATA, "<Unknown data message>"},
      {6, 0, {'o', 'k', '!'}, 0, "ok!"},          // a report whose status is no status
      {1, 0, {'a', 'b', 'c'}, 0, "abc", 0xFFFF},  // longer than the data: what is there
      {0, 0, {'a', 'b', 'c'}, 0, "b", 0xFFFF},
      {1, 0, {'a', 'b', 'c'}, 0, "ab", 2},  // shorter: only the declared bytes
      {1, 0, Bytes(3000, 'z'), 0, std::string(1599, 'z')},
      {0, 0, Wide(2000, 'w'), 0, std::string(1599, 'w')},
      {3, 0, Payload(2000, 72, 28, Bytes(2000, 't'), {}), MRF_PICTURE, std::string(1599, 't')},
  };
  for (const Case& c : cases) {
    Bytes block = Received(c.kind, c.data);
    if (c.declaredLength >= 0) {
      block[60] = static_cast<uint8_t>(c.declaredLength);
      block[61] = static_cast<uint8_t>(c.declaredLength >> 8);
    }
    block[5] = c.protocolId;
    block[6] = 3;  // a report status only reports read
    ReceivedMessage received = Decode(block);
    ASSERT_TRUE(received.record) << +c.kind;
    EXPECT_EQ(received.record->flags, c.flags) << +c.kind << " " << +c.protocolId;
    EXPECT_EQ(TextOf(*received.record), c.text) << +c.kind;
    EXPECT_EQ(received.error, c.kind == 255 ? kErrorUnknownDataMessage : 0) << +c.kind;
  }
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
    ASSERT_TRUE(received.report.has_value());
    // No text: the matching entry's, found by reception.
    EXPECT_EQ(
        std::tuple(received.record->flags, received.report->reference, received.report->status,
                   received.record->text.has_value(), received.record->picture.has_value()),
        std::tuple(MRF_REPORT | c.flag, 9, c.status, false, false));
  }
  EXPECT_FALSE(Decode(Received(1, {'x'})).report.has_value());
}

Bytes RowsOf(size_t rows, size_t bytesPerRow) {
  Bytes b;
  for (size_t r = 0; r < rows; ++r) {
    for (size_t i = 0; i < bytesPerRow; ++i) b.push_back(static_cast<uint8_t>(r * 16 + i + 1));
  }
  return b;
}

// Eight-bit picture texts and their rows: the payloads that lie, below.
TEST(CardMessageReceiveTest, SixteenBitPictureTextsAreFollowedByTheRows) {
  Bytes rows = RowsOf(28, 9);
  ReceivedMessage received = Decode(Received(7, Payload(6, 72, 28, {0, 'O', 0, 'K', 0, 0}, rows)));
  EXPECT_EQ(TextOf(*received.record), "OK");
  EXPECT_EQ(Bytes(received.record->picture->begin(), received.record->picture->end()), rows);
}

TEST(CardMessageReceiveTest, PicturesOfOtherSizesAreCutOrPaddedTo72By28) {
  struct Case {
    uint16_t width, height;
    size_t bytesPerRow;
  };
  for (Case c : {Case{80, 30, 10}, Case{64, 28, 8}}) {
    Bytes rows = RowsOf(c.height, c.bytesPerRow);
    const PictureImage picture =
        *Decode(Received(3, Payload(1, c.width, c.height, {0}, rows))).record->picture;
    for (size_t r = 0; r < 28; ++r) {
      for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(picture[r * 9 + i], i < c.bytesPerRow ? rows[r * c.bytesPerRow + i] : 0)
            << c.width << " wide, row " << r << " byte " << i;
      }
    }
  }
  // A width that is not a multiple of 8 drops the partial byte: 70 gives 8.
  EXPECT_EQ((*Decode(Received(3, Payload(1, 70, 2, {0}, RowsOf(2, 8)))).record->picture)[9],
            RowsOf(2, 8)[8]);
}

TEST(CardMessageReceiveTest, BlockShorterThanItsHeadIsNoMessage) {
  EXPECT_FALSE(Decode(Bytes(61, 0x02)).record);
  EXPECT_FALSE(Decode({}).record);  // the head alone: the table's empty kinds
}

TEST(CardMessageReceiveTest, PicturePayloadsThatLie) {
  // Cut inside the payload head: no text, a white picture.
  ReceivedMessage received = Decode(Received(3, {0x05, 0x00, 0x48}));
  EXPECT_EQ(TextOf(*received.record), "");
  EXPECT_EQ(*received.record->picture, PictureImage{});

  // A text length past the payload: the text is what is there, the rows stay white.
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
