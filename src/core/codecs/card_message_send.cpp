// Encoding a queued MessageRecord into the CardMessage block to send.

#include "core/codecs/card_message.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/codecs/card_message_layout.h"
#include "core/util/byte_order.h"

namespace zeph {
namespace {

namespace cm = card_message;

// The record's text as the zero-terminated text it stands for.
std::string_view HeldText(const MessageRecord& record) {
  const std::string& text = TextOf(record);
  return std::string_view(text.c_str());
}

std::vector<uint8_t> PictureBlock(const MessageRecord& record) {
  // Texts are far shorter in practice (121 characters); the bound keeps the
  // data length n + 260 within its 16 bits whatever a record holds.
  constexpr size_t kMaxText = std::numeric_limits<uint16_t>::max() - cm::kSentPictureDataExtra;
  std::string_view text = HeldText(record);
  text = text.substr(0, std::min(text.size(), kMaxText));

  const size_t dataLength = text.size() + cm::kSentPictureDataExtra;
  std::vector<uint8_t> block(cm::kHeadSize + dataLength, 0);
  block[cm::kKindOffset] = cm::kKindPicture;
  WriteU16(block.data() + cm::kDataLengthOffset, static_cast<uint16_t>(dataLength));

  uint8_t* payload = block.data() + cm::kHeadSize;
  WriteU16(payload + cm::kPayloadTextLengthOffset, static_cast<uint16_t>(text.size() + 1));
  WriteU16(payload + cm::kPayloadWidthOffset, kPictureWidth);
  WriteU16(payload + cm::kPayloadHeightOffset, kPictureHeight);
  std::memcpy(payload + cm::kPayloadTextOffset, text.data(), text.size());
  // The terminator and the trailing zero byte are already there. A picture
  // flag without a picture sends a white picture.
  if (record.picture) {
    std::copy(record.picture->begin(), record.picture->end(),
              payload + cm::kPayloadTextOffset + text.size() + 1);
  }
  return block;
}

// Kinds 4 and 5. The block always has room for 1064 characters and a
// terminator; a longer text (the composer never makes one) is cut to 1064.
std::vector<uint8_t> TextBlock(const MessageRecord& record, uint8_t kind) {
  std::string_view text = HeldText(record);
  text = text.substr(0, std::min(text.size(), cm::kMaxSentTextLength));
  std::vector<uint8_t> block(cm::kTextBlockSize, 0);
  block[cm::kKindOffset] = kind;
  WriteU16(block.data() + cm::kDataLengthOffset, static_cast<uint16_t>(text.size()));
  std::memcpy(block.data() + cm::kHeadSize, text.data(), text.size());
  return block;
}

}  // namespace

std::vector<uint8_t> BuildCardMessage(const MessageRecord& record) {
  if (record.flags & MRF_PICTURE) return PictureBlock(record);
  if (record.flags & MRF_BUSINESSCARD) return TextBlock(record, cm::kKindBusinessCard);
  return TextBlock(record, cm::kKindText);
}

void SetSendRoute(std::span<uint8_t> block, std::string_view serviceCentre, bool replyPath) {
  if (block.size() < cm::kHeadSize) return;
  uint8_t* centre = block.data() + cm::kServiceCentreOffset;
  std::fill_n(centre, cm::kServiceCentreFieldSize, 0);
  size_t n = std::min(serviceCentre.size(), cm::kServiceCentreFieldSize - 1);
  std::memcpy(centre, serviceCentre.data(), n);
  if (replyPath) block[cm::kFirstOctetOffset] |= cm::kReplyPathBit;
}

}  // namespace zeph
