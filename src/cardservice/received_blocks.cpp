#include "cardservice/received_blocks.h"

#include <algorithm>
#include <cstring>

#include "core/util/byte_order.h"
#include "core/util/cp1252.h"
#include "core/util/fixed_text.h"

namespace zeph::cardservice {
namespace cm = card_message;
namespace {

uint8_t Bcd(int value) {
  value = std::clamp(value, 0, 99);
  return static_cast<uint8_t>((value / 10) | ((value % 10) << 4));
}

void PutText(uint8_t* field, std::string_view text) {
  std::memcpy(field, text.data(), std::min<size_t>(text.size(), cm::kNumberFieldSize - 1));
}

void AppendWide(std::vector<uint8_t>& out, char32_t c) {
  if (c > 0xFFFF) c = '?';
  out.push_back(static_cast<uint8_t>(c >> 8));
  out.push_back(static_cast<uint8_t>(c));
}

}  // namespace

std::array<uint8_t, cm::kTimeStampSize> EncodeTimeStamp(const std::tm& time) {
  return {Bcd(time.tm_year + 1900 - 2000),
          Bcd(time.tm_mon + 1),
          Bcd(time.tm_mday),
          Bcd(time.tm_hour),
          Bcd(time.tm_min),
          Bcd(time.tm_sec)};
}

std::tm LocalTimeNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::vector<uint8_t> BuildReceivedBlock(const BlockHead& head, std::span<const uint8_t> data) {
  size_t dataLength = std::min<size_t>(data.size(), 0xFFFF);
  std::vector<uint8_t> block(cm::kHeadSize + dataLength);
  block[cm::kStatusOffset] = head.status;
  block[cm::kKindOffset] = head.kind;
  block[cm::kReferenceOffset] = head.reference;
  block[cm::kFirstOctetOffset] = head.firstOctet;
  block[cm::kProtocolIdOffset] = head.protocolId;
  block[cm::kReportStatusOffset] = head.reportStatus;
  PutText(&block[cm::kServiceCentreOffset], head.serviceCentre);
  PutText(&block[cm::kNumberOffset], head.number);
  auto stamp = EncodeTimeStamp(head.time);
  std::copy(stamp.begin(), stamp.end(), block.begin() + cm::kTimeStampOffset);
  WriteU16(&block[cm::kDataLengthOffset], static_cast<uint16_t>(dataLength));
  std::copy_n(data.begin(), dataLength, block.begin() + cm::kHeadSize);
  return block;
}

std::vector<uint8_t> ReceivedPictureData(std::string_view text, bool wide,
                                         const PictureImage& picture) {
  std::vector<uint8_t> coded =
      wide ? WideFromCp1252(text) : std::vector<uint8_t>(text.begin(), text.end());
  coded.insert(coded.end(), wide ? 2 : 1, 0);  // the terminator
  std::vector<uint8_t> data;
  ByteWriter out(data);
  out.U16(static_cast<uint16_t>(coded.size()));
  out.U16(kPictureWidth);
  out.U16(kPictureHeight);
  out.Bytes(coded.data(), coded.size());
  out.Bytes(picture.data(), picture.size());
  return data;
}

std::vector<uint8_t> WideFromUtf8(std::string_view utf8) {
  std::vector<uint8_t> out;
  size_t i = 0;
  while (i < utf8.size()) {
    auto byte = static_cast<uint8_t>(utf8[i++]);
    int extra = byte < 0x80             ? 0
                : (byte & 0xE0) == 0xC0 ? 1
                : (byte & 0xF0) == 0xE0 ? 2
                : (byte & 0xF8) == 0xF0 ? 3
                                        : -1;
    char32_t c = byte & (0x7F >> (extra > 0 ? extra + 1 : 0));
    bool good = extra >= 0;
    for (int k = 0; good && k < extra; ++k) {
      good = i < utf8.size() && (static_cast<uint8_t>(utf8[i]) & 0xC0) == 0x80;
      if (good) c = (c << 6) | (static_cast<uint8_t>(utf8[i++]) & 0x3F);
    }
    AppendWide(out, good ? c : U'?');
  }
  return out;
}

std::vector<uint8_t> WideFromCp1252(std::string_view cp1252) {
  return WideFromUtf8(Utf8FromCp1252(cp1252));
}

std::string SentBlockText(std::span<const uint8_t> block) {
  if (block.size() < cm::kHeadSize) return {};
  size_t length =
      std::min<size_t>(ReadU16(&block[cm::kDataLengthOffset]), block.size() - cm::kHeadSize);
  auto data = block.subspan(cm::kHeadSize, length);
  uint8_t kind = block[cm::kKindOffset];
  std::string text;
  if (kind == cm::kKindText16) {
    for (size_t i = 1; i < data.size(); i += 2) text.push_back(static_cast<char>(data[i]));
  } else if (kind == cm::kKindPicture || kind == cm::kKindPicture16) {
    if (data.size() < cm::kPayloadTextOffset) return {};
    size_t textLength = std::min<size_t>(ReadU16(&data[cm::kPayloadTextLengthOffset]),
                                         data.size() - cm::kPayloadTextOffset);
    auto coded = data.subspan(cm::kPayloadTextOffset, textLength);
    if (kind == cm::kKindPicture) return BoundedText(coded.data(), coded.size());
    for (size_t i = 1; i < coded.size() && coded[i] != 0; i += 2)
      text.push_back(static_cast<char>(coded[i]));
  } else {
    text.assign(data.begin(), data.end());
  }
  return text;
}

}  // namespace zeph::cardservice
