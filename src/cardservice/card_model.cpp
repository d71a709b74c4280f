#include "cardservice/card_model.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "cardservice/received_blocks.h"
#include "core/codecs/card_message_layout.h"
#include "core/codecs/phone_number.h"
#include "core/devicelink/wire_layout.h"
#include "core/store/message_record.h"
#include "core/util/byte_order.h"
#include "core/util/fixed_text.h"

namespace zeph::cardservice {
namespace cm = card_message;
namespace {

std::vector<uint8_t> U32Bytes(uint32_t value) {
  std::vector<uint8_t> bytes(4);
  WriteU32(bytes.data(), value);
  return bytes;
}

bool LeftOnCard(const std::vector<uint8_t>& block) {
  return (block[cm::kStatusOffset] & cm::kStatusSkip) || block[cm::kKindOffset] == cm::kKindSkipped;
}

std::string TimeText(const std::tm& t) {
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

// Whether the data of a sent block fits its kind: texts up to the long-message
// limit (16-bit texts two bytes a character), a picture payload whose text
// and rows add up to the data length (with or without the sender's trailing
// zero byte).
bool DataFitsKind(uint8_t kind, std::span<const uint8_t> data) {
  switch (kind) {
    case cm::kKindText8:
    case cm::kKindText:
    case cm::kKindBusinessCard:
      return data.size() <= kCopyTextLimit;
    case cm::kKindText16:
      return data.size() % 2 == 0 && data.size() <= 2 * kCopyTextLimit;
    case cm::kKindPicture:
    case cm::kKindPicture16: {
      if (data.size() < cm::kPayloadTextOffset) return false;
      size_t textLength = ReadU16(&data[cm::kPayloadTextLengthOffset]);
      size_t width = ReadU16(&data[cm::kPayloadWidthOffset]);
      size_t height = ReadU16(&data[cm::kPayloadHeightOffset]);
      if (width != kPictureWidth || height != kPictureHeight || textLength == 0) return false;
      size_t exact = cm::kPayloadTextOffset + textLength + kPictureBytes;
      return data.size() == exact || data.size() == exact + 1;
    }
    default:
      return false;
  }
}

}  // namespace

CardModel::CardModel() {
  params[wire::kParamConnectionState] = U32Bytes(kStateGsm);
  params[wire::kParamLongMessages] = {1};
  params[wire::kParam500E] = U32Bytes(0);
  centre.number = "+15550000";
  sendOptions = {0, 1, 0};
  ownNumber = "+15550001";
}

uint32_t CardModel::ConnectionState() const {
  auto it = params.find(wire::kParamConnectionState);
  uint32_t state = 0;
  if (it != params.end()) {
    uint8_t bytes[4] = {};
    std::copy_n(it->second.begin(), std::min<size_t>(4, it->second.size()), bytes);
    state = ReadU32(bytes);
  }
  if (!simPresent && (state & wire::kConnectionStateMask) >= wire::kConnectedAtLeast)
    state = (state & ~wire::kConnectionStateMask) | 1;
  return state;
}

void CardModel::SetConnectionState(uint32_t state) {
  params[wire::kParamConnectionState] = U32Bytes(state);
  dirty = true;
}

uint8_t CardModel::LongMessages() const {
  auto it = params.find(wire::kParamLongMessages);
  return it == params.end() || it->second.empty() ? 1 : it->second[0];
}

// ---- the message store -----------------------------------------------------

std::array<uint8_t, 3> CardModel::CountStored() {
  std::array<std::optional<StoredMessage>, kStoreSlots> packed;
  size_t next = 0;
  std::array<uint8_t, 3> counts{};
  for (size_t i = 0; i < kStoreSlots; ++i) {
    auto& slot = slots_[i];
    if (!slot) continue;
    ++counts[LeftOnCard(slot->block) ? 2 : slot->read ? 1 : 0];
    if (next != i) dirty = true;
    packed[next++] = std::move(slot);
  }
  slots_ = std::move(packed);
  return counts;
}

StoredMessage* CardModel::Slot(size_t index) {
  return index < kStoreSlots && slots_[index] ? &*slots_[index] : nullptr;
}

bool CardModel::DeleteSlot(size_t index) {
  if (!Slot(index)) return false;
  slots_[index].reset();
  dirty = true;
  if (!held_.empty()) {
    std::vector<uint8_t> block = std::move(held_.front());
    held_.erase(held_.begin());
    Arrive(std::move(block));
  }
  return true;
}

size_t CardModel::StoredCount() const {
  return static_cast<size_t>(std::count_if(slots_.begin(), slots_.end(),
                                           [](const auto& slot) { return slot.has_value(); }));
}

void CardModel::Arrive(std::vector<uint8_t> block) {
  dirty = true;
  auto free = std::find_if(slots_.begin(), slots_.end(), [](const auto& s) { return !s; });
  if (free == slots_.end()) {
    held_.push_back(std::move(block));
    return;
  }
  *free = StoredMessage{std::move(block), false};
  ++arrivals_;
}

void CardModel::RestoreSlot(size_t index, StoredMessage message) {
  if (index < kStoreSlots) slots_[index] = std::move(message);
}

void CardModel::Schedule(std::vector<uint8_t> block, uint64_t dueMs) {
  scheduled_.emplace(dueMs, std::move(block));
}

void CardModel::Advance(uint64_t nowMs) {
  while (!scheduled_.empty() && scheduled_.begin()->first <= nowMs) {
    std::vector<uint8_t> block = std::move(scheduled_.begin()->second);
    scheduled_.erase(scheduled_.begin());
    Arrive(std::move(block));
  }
}

std::optional<uint64_t> CardModel::NextDue() const {
  if (scheduled_.empty()) return std::nullopt;
  return scheduled_.begin()->first;
}

int CardModel::TakeArrivals() {
  return std::exchange(arrivals_, 0);
}

// ---- the network -------------------------------------------------------------

uint32_t CheckSendRequest(const SendRequest& request) {
  const auto& block = request.block;
  if (request.destination.empty() || request.destination.size() > wire::kMaxNumberLength ||
      FilterPhoneNumber(request.destination).changed)
    return status::kBadDestination;
  if (block.size() < cm::kHeadSize ||
      block.size() != cm::kHeadSize + ReadU16(&block[cm::kDataLengthOffset]) ||
      !DataFitsKind(block[cm::kKindOffset], std::span(block).subspan(cm::kHeadSize)))
    return status::kBadMessage;
  return 0;
}

CardModel::SendOutcome CardModel::Send(const SendRequest& request, uint64_t nowMs) {
  const auto& block = request.block;
  if (!simPresent || !ConnectionAllowsSending(ConnectionState())) return {status::kNoNetwork, 0};
  if (uint32_t refused = CheckSendRequest(request)) return {refused, 0};
  if (faults.failSends > 0) {
    --faults.failSends;
    return {faults.failStatus, 0};
  }

  uint8_t reference = nextReference++;
  dirty = true;
  std::tm now = LocalTimeNow();
  uint8_t kind = block[cm::kKindOffset];
  std::string centreUsed = BoundedText(&block[cm::kServiceCentreOffset], cm::kNumberFieldSize);
  if (centreUsed.empty()) centreUsed = centre.number;
  std::string text = SentBlockText(block);
  sentLog.push_back({reference, request.destination, kind, request.flagA,
                     (block[cm::kFirstOctetOffset] & cm::kReplyPathBit) != 0, centreUsed, text,
                     TimeText(now)});

  if (sendOptions.deliveryReports) {
    BlockHead head;
    head.kind = cm::kKindReport;
    head.reference = reference;
    head.reportStatus = cm::kReportDelivered;
    head.serviceCentre = centreUsed;
    head.number = request.destination;
    head.time = now;
    Schedule(BuildReceivedBlock(head, {}), nowMs + reportDelayMs);
  }
  BlockHead back;
  back.serviceCentre = centreUsed;
  back.time = now;
  if (request.destination == kEchoNumber &&
      (kind == cm::kKindText || kind == cm::kKindText8 || kind == cm::kKindText16)) {
    back.number = kEchoNumber;
    std::string echo = "Echo: " + text;
    Schedule(BuildReceivedBlock(
                 back, std::span(reinterpret_cast<const uint8_t*>(echo.data()), echo.size())),
             nowMs + echoDelayMs);
  } else if (request.destination == ownNumber) {
    // The message comes back as sent, from this card; a text sent as kind 4
    // arrives as an ordinary 8-bit text.
    back.number = ownNumber;
    back.kind = kind == cm::kKindText ? cm::kKindText8 : kind;
    back.firstOctet = block[cm::kFirstOctetOffset];
    Schedule(BuildReceivedBlock(back, std::span(block).subspan(cm::kHeadSize)),
             nowMs + echoDelayMs);
  }
  return {0, reference};
}

// ---- the SIM phonebook -----------------------------------------------------

std::string CardModel::CutName(const std::string& name) const {
  return name.substr(0, std::min<size_t>(nameLimit, wire::kMaxContactName));
}

std::optional<uint16_t> CardModel::AddEntry(const std::string& name, const std::string& number) {
  for (uint16_t location = 1; location <= kSimCapacity; ++location) {
    if (phonebook.count(location)) continue;
    phonebook[location] = {CutName(name), number.substr(0, wire::kMaxNumberLength)};
    dirty = true;
    return location;
  }
  return std::nullopt;
}

bool CardModel::ReplaceEntry(uint16_t location, const std::string& name,
                             const std::string& number) {
  auto it = phonebook.find(location);
  if (it == phonebook.end()) return false;
  it->second = {CutName(name), number.substr(0, wire::kMaxNumberLength)};
  dirty = true;
  return true;
}

bool CardModel::DeleteEntry(uint16_t location) {
  if (!phonebook.erase(location)) return false;
  dirty = true;
  return true;
}

}  // namespace zeph::cardservice
