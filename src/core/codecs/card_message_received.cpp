// Decoding a received CardMessage block into a MessageRecord.

#include "core/codecs/card_message.h"

#include <algorithm>
#include <cstring>

#include "core/codecs/card_message_layout.h"
#include "core/codecs/error_table.h"
#include "core/resources/string_table.h"
#include "core/util/byte_order.h"

namespace zeph {
namespace {

namespace cm = card_message;

constexpr int kUnknownDataTextId = 68;  // "<Unknown data message>"

// The data that is really there: the data length field believed only as far
// as the block reaches.
std::span<const uint8_t> DataOf(std::span<const uint8_t> block) {
  size_t declared = ReadU16(block.data() + cm::kDataLengthOffset);
  std::span<const uint8_t> rest = block.subspan(cm::kHeadSize);
  return rest.first(std::min(declared, rest.size()));
}

// The text the working buffer would hold after copying `count` bytes of
// `bytes` from `offset`: up to the first zero byte, at most 1599 characters,
// never past the end of `bytes`.
std::string Text8(std::span<const uint8_t> bytes, size_t offset, size_t count) {
  if (offset >= bytes.size()) return {};
  count = std::min({count, bytes.size() - offset, cm::kMaxReceivedTextLength});
  const uint8_t* start = bytes.data() + offset;
  const void* zero = std::memchr(start, 0, count);
  if (zero) count = static_cast<size_t>(static_cast<const uint8_t*>(zero) - start);
  return std::string(reinterpret_cast<const char*>(start), count);
}

// 16-bit characters reduced to their second byte: character i is the byte
// at `offset` + 2i + 1. Ends at a zero character, at 1599 characters or at
// the end of `bytes`.
std::string Text16(std::span<const uint8_t> bytes, size_t offset, size_t characters) {
  std::string text;
  characters = std::min(characters, cm::kMaxReceivedTextLength);
  for (size_t i = 0; i < characters; ++i) {
    size_t at = offset + 2 * i + 1;
    if (at >= bytes.size() || bytes[at] == 0) break;
    text.push_back(static_cast<char>(bytes[at]));
  }
  return text;
}

RecordTime TimeOf(std::span<const uint8_t> block) {
  const uint8_t* t = block.data() + cm::kTimeStampOffset;
  RecordTime time;
  time.year = static_cast<uint16_t>(2000 + TimeStampValue(t[0]));
  time.month = static_cast<uint16_t>(TimeStampValue(t[1]));
  time.day = static_cast<uint16_t>(TimeStampValue(t[2]));
  time.hour = static_cast<uint16_t>(TimeStampValue(t[3]));
  time.minute = static_cast<uint16_t>(TimeStampValue(t[4]));
  time.second = static_cast<uint16_t>(TimeStampValue(t[5]));
  return time;
}

uint32_t KindFlags(uint8_t kind, uint8_t reportStatus) {
  switch (kind) {
    case cm::kKindPicture:
    case cm::kKindPicture16:
      return MRF_PICTURE;
    case cm::kKindBusinessCard:
      return MRF_BUSINESSCARD;
    case cm::kKindReport:
      // Any other status is no report: the block is taken as 8-bit text.
      if (reportStatus == cm::kReportPending) return MRF_REPORT | MRF_REPORT_PENDING;
      if (reportStatus == cm::kReportDelivered) return MRF_REPORT | MRF_REPORT_DELIVERED;
      if (reportStatus == cm::kReportFailed) return MRF_REPORT | MRF_REPORT_FAILED;
      return 0;
    case cm::kKindUnknownData:
      return MRF_UNKNOWNDATA;
    default:
      return 0;
  }
}

// The picture payload's text and its picture. A wider or taller source is
// cut at 72 pixels and 28 rows; a smaller one, or rows missing from a short
// payload, leave white pixels.
void DecodePicturePayload(std::span<const uint8_t> payload, bool text16, MessageRecord& record) {
  ByteReader head(payload);
  size_t textLength = head.U16();
  size_t width = head.U16();
  size_t height = head.U16();
  // A payload cut inside its head reads zeros for what is missing.
  if (!head.ok()) textLength = width = height = 0;

  record.text = text16 ? Text16(payload, cm::kPayloadTextOffset, textLength / 2)
                       : Text8(payload, cm::kPayloadTextOffset, textLength);

  PictureImage picture{};
  const size_t rowBytes = width / 8;
  const size_t copied = std::min(rowBytes, kPictureRowBytes);
  const size_t rowsStart = cm::kPayloadTextOffset + textLength;
  for (size_t r = 0; r < height && r < static_cast<size_t>(kPictureHeight); ++r) {
    size_t from = rowsStart + r * rowBytes;
    if (from >= payload.size()) break;
    size_t n = std::min(copied, payload.size() - from);
    std::copy_n(payload.data() + from, n, picture.data() + r * kPictureRowBytes);
  }
  record.picture = picture;
}

}  // namespace

ReceivedMessage MessageRecordFromReceived(std::span<const uint8_t> block) {
  ReceivedMessage received;
  if (block.size() < cm::kHeadSize) return received;

  auto record = CreateMessageRecord();
  record->reference = block[cm::kReferenceOffset];
  if (block[cm::kFirstOctetOffset] & cm::kReplyPathBit) record->flags |= MRF_REPLYPATH;
  uint8_t protocolId = block[cm::kProtocolIdOffset];
  if ((protocolId & cm::kReplaceTypeMask) != 0 && (protocolId & cm::kReplaceBit) != 0) {
    record->flags |= static_cast<uint32_t>(protocolId & cm::kReplaceTypeMask) << MRF_REPLACE_SHIFT;
  }
  const uint8_t kind = block[cm::kKindOffset];
  record->flags |= KindFlags(kind, block[cm::kReportStatusOffset]);

  NumberBlock number{};
  std::copy_n(block.data() + cm::kNumberOffset, cm::kNumberFieldSize, number.data());
  record->numbers.Add(number);
  static_assert(cm::kServiceCentreFieldSize == kServiceCentreSize);
  std::copy_n(block.data() + cm::kServiceCentreOffset, cm::kServiceCentreFieldSize,
              record->serviceCentre.data());
  record->time = TimeOf(block);

  std::span<const uint8_t> data = DataOf(block);
  if (record->flags & MRF_REPORT) {
    received.report = ReportOutcome{record->reference, block[cm::kReportStatusOffset]};
  } else if (record->flags & MRF_UNKNOWNDATA) {
    record->text = std::string(LoadString(kUnknownDataTextId));
    received.error = kErrorUnknownDataMessage;
  } else if (record->flags & MRF_PICTURE) {
    DecodePicturePayload(data, kind == cm::kKindPicture16, *record);
  } else if (kind == cm::kKindText16) {
    record->text = Text16(data, 0, data.size() / 2);
  } else {
    record->text = Text8(data, 0, data.size());
  }
  received.record = std::move(record);
  return received;
}

}  // namespace zeph
