#include "cardservice/request_handler.h"

#include <algorithm>
#include <cstring>

#include "core/devicelink/phonebook_reply.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"
#include "core/util/fixed_text.h"

namespace zeph::cardservice {
namespace {

using Bytes = std::vector<uint8_t>;
using Request = std::span<const uint8_t>;

void PutText(uint8_t* field, const std::string& text, size_t fieldSize) {
  std::memcpy(field, text.data(), std::min(text.size(), fieldSize - 1));
}

std::string NumberAt(Request request, size_t offset) {
  return BoundedText(&request[offset], wire::kNumberFieldSize);
}

// The length each fixed-layout request must have.
size_t FixedLength(uint32_t id) {
  switch (id) {
    case wire::kReadCardParamId:
    case wire::kCardParam3Id:
    case wire::kCardParam5Id:
    case wire::kDeleteStoredMessageId:
      return 20;
    case wire::kCardParam4Id:
    case wire::kReadCentreSettingsId:
    case wire::kReadSendOptionsId:
    case wire::kStoredCountsId:
    case wire::kReadPhonebookId:
    case wire::kPhonebookLimitsId:
    case wire::kReadSimTextId:
    case wire::kCardManagerNoValueId:
      return 16;
    case wire::kWriteCentreSettingsId:
      return wire::kCentreWriteLength;
    case wire::kWriteSendOptionsId:
      return wire::kSendOptionsWriteLength;
    case wire::kReadStoredMessageId:
      return wire::kReadStoredLength;
    case wire::kReplaceEntryId:
    case wire::kAddEntryId:
    case wire::kDeleteEntryId:
      return wire::kEntryLength;
    case wire::kWriteSimTextId:
      return wire::kWriteSimTextLength;
    default:
      if (id >= wire::kCardManagerFirstId && id <= wire::kCardManagerLastId &&
          id != wire::kCardManagerDataId)
        return 20;
      return 0;  // checked where it is answered
  }
}

bool Known(uint32_t id) {
  return FixedLength(id) != 0 || id == wire::kWriteCardParamId || id == wire::kSendMessageId ||
         id == wire::kCardManagerDataId;
}

Bytes PhonebookReply(const CardModel& card, uint32_t id) {
  Bytes reply = MakeReply(id, 0);
  reply.resize(wire::kPhonebookReplyLength);
  WriteU32(&reply[wire::kLengthOffset], static_cast<uint32_t>(reply.size()));
  size_t i = 0;
  for (const auto& [location, entry] : card.phonebook) {
    if (i == wire::kPhonebookSlots) break;
    WriteU16(&reply[wire::kPhonebookLocationsOffset + 2 * i], location);
    auto name = WidenContactName(entry.name);
    std::copy(name.begin(), name.end(),
              reply.begin() + static_cast<std::ptrdiff_t>(wire::kPhonebookNamesOffset +
                                                          wire::kPhonebookNameSize * i));
    PutText(&reply[wire::kPhonebookNumbersOffset + wire::kNumberFieldSize * i], entry.number,
            wire::kNumberFieldSize);
    ++i;
  }
  WriteU16(&reply[wire::kPhonebookCountOffset], static_cast<uint16_t>(i));
  return reply;
}

Bytes AnswerPhonebook(CardModel& card, uint32_t id, Request request) {
  if (!card.simPresent) return MakeReply(id, status::kNoSim);
  auto location = [&] { return ReadU16(&request[wire::kEntryLocationOffset]); };
  auto name = [&] {
    return NarrowContactName(request.subspan(wire::kEntryNameOffset, wire::kPhonebookNameSize));
  };
  switch (id) {
    case wire::kReadPhonebookId:
      return PhonebookReply(card, id);
    case wire::kReplaceEntryId:
      return MakeReply(
          id, card.ReplaceEntry(location(), name(), NumberAt(request, wire::kEntryNumberOffset))
                  ? 0
                  : status::kNoEntry);
    case wire::kAddEntryId: {
      auto added = card.AddEntry(name(), NumberAt(request, wire::kEntryNumberOffset));
      if (!added) return MakeReply(id, status::kPhonebookFull);
      uint8_t payload[2];
      WriteU16(payload, *added);
      return MakeReply(id, 0, payload);
    }
    case wire::kDeleteEntryId:
      return MakeReply(id, card.DeleteEntry(location()) ? 0 : status::kNoEntry);
    case wire::kPhonebookLimitsId: {
      uint8_t payload[8];
      WriteU32(payload, kSimCapacity);
      WriteU32(payload + 4, card.nameLimit);
      return MakeReply(id, 0, payload);
    }
    case wire::kReadSimTextId: {
      Bytes text(card.ownNumber.begin(), card.ownNumber.end());
      text.push_back(0);
      return MakeReply(id, 0, text);
    }
    default:  // kWriteSimTextId
      card.ownNumber = NumberAt(request, wire::kSimTextOffset).substr(0, wire::kMaxNumberLength);
      card.dirty = true;
      return MakeReply(id, 0);
  }
}

Bytes AnswerMessages(CardModel& card, uint32_t id, Request request, uint64_t nowMs) {
  switch (id) {
    case wire::kSendMessageId: {
      SendRequest send;
      if (uint32_t refused = ReadSendRequest(request, send)) return MakeReply(id, refused);
      auto outcome = card.Send(send, nowMs);
      uint8_t reference = outcome.reference;
      return MakeReply(id, outcome.status,
                       outcome.status == 0 ? Request(&reference, 1) : Request());
    }
    case wire::kReadCentreSettingsId: {
      Bytes payload(wire::kCentreReplyLength - wire::kReplyPayloadOffset);
      PutText(payload.data(), card.centre.number, wire::kNumberFieldSize);
      WriteU16(&payload[wire::kCentreReplyValue16Offset - wire::kReplyPayloadOffset],
               card.centre.value16);
      WriteU32(&payload[wire::kCentreReplyValue32Offset - wire::kReplyPayloadOffset],
               card.centre.value32);
      return MakeReply(id, 0, payload);
    }
    case wire::kWriteCentreSettingsId:
      card.centre.number =
          NumberAt(request, wire::kCentreWriteNumberOffset).substr(0, wire::kMaxNumberLength);
      card.centre.value16 = ReadU16(&request[wire::kCentreWriteValue16Offset]);
      card.centre.value32 = ReadU32(&request[wire::kCentreWriteValue32Offset]);
      card.dirty = true;
      return MakeReply(id, 0);
    case wire::kReadSendOptionsId: {
      uint8_t payload[12];
      WriteU32(payload, card.sendOptions.replyPath);
      WriteU32(payload + 4, card.sendOptions.deliveryReports);
      WriteU32(payload + 8, card.sendOptions.option3);
      return MakeReply(id, 0, payload);
    }
    case wire::kWriteSendOptionsId: {
      const uint8_t* values = &request[wire::kSendOptionsWriteOffset];
      card.sendOptions = {ReadU32(values), ReadU32(values + 4), ReadU32(values + 8)};
      card.dirty = true;
      return MakeReply(id, 0);
    }
    case wire::kStoredCountsId: {
      auto counts = card.CountStored();
      return MakeReply(id, 0, counts);
    }
    case wire::kReadStoredMessageId: {
      StoredMessage* message = card.Slot(request[wire::kStoredSlotOffset]);
      if (!message) return MakeReply(id, status::kEmptySlot);
      if (!message->read) card.dirty = true;
      message->read = true;
      return MakeReply(id, 0, message->block);
    }
    default:  // kDeleteStoredMessageId
      return MakeReply(
          id, card.DeleteSlot(ReadU32(&request[wire::kHeaderSize])) ? 0 : status::kEmptySlot);
  }
}

Bytes AnswerCardParams(CardModel& card, uint32_t id, Request request) {
  switch (id) {
    case wire::kReadCardParamId: {
      uint32_t param = ReadU32(&request[wire::kParamNumberOffset]);
      if (param == wire::kParamConnectionState) {
        uint8_t state[4];
        WriteU32(state, card.ConnectionState());
        return MakeReply(id, 0, state);
      }
      auto it = card.params.find(param);
      if (it == card.params.end()) return MakeReply(id, status::kUnknownParam);
      return MakeReply(id, 0, it->second);
    }
    case wire::kWriteCardParamId: {
      if (request.size() < wire::kParamValueOffset) return MakeReply(id, status::kBadLayout);
      uint32_t param = ReadU32(&request[wire::kParamNumberOffset]);
      card.params[param].assign(request.begin() + wire::kParamValueOffset, request.end());
      card.dirty = true;
      return MakeReply(id, 0);
    }
    case wire::kCardParam4Id: {
      uint8_t value[4];
      WriteU32(value, 0x00010000);  // the emulator's interface version
      return MakeReply(id, 0, value);
    }
    case wire::kCardParam5Id: {
      Bytes info(wire::kCardParam5ReplySize);
      PutText(info.data(), "Tavik Zeph card-service emulator", info.size());
      return MakeReply(id, 0, info);
    }
    default:  // kCardParam3Id: taken and ignored
      return MakeReply(id, 0);
  }
}

}  // namespace

Bytes MakeReply(uint32_t messageId, uint32_t status, std::span<const uint8_t> payload) {
  Bytes reply(wire::kReplyPayloadOffset + payload.size());
  WriteU32(&reply[wire::kMessageIdOffset], messageId);
  WriteU32(&reply[wire::kLengthOffset], static_cast<uint32_t>(reply.size()));
  WriteU32(&reply[wire::kStatusOffset], status);
  std::copy(payload.begin(), payload.end(), reply.begin() + wire::kReplyPayloadOffset);
  return reply;
}

std::optional<Bytes> RefuseMalformed(Request request) {
  uint32_t id = ReadU32(&request[wire::kMessageIdOffset]);
  if (!Known(id)) return MakeReply(wire::kErrorReplyId, status::kUnknownRequest);
  size_t fixed = FixedLength(id);
  if (fixed != 0 && request.size() != fixed) return MakeReply(id, status::kBadLayout);
  return std::nullopt;
}

uint32_t ReadSendRequest(Request request, SendRequest& send) {
  if (request.size() < wire::kSendFixedLength) return status::kBadLayout;
  send.flagA = request[wire::kSendFlagAOffset] != 0;
  const uint8_t* field = &request[wire::kSendDestinationOffset];
  // A destination without its terminator inside the field is malformed.
  if (!std::memchr(field, 0, wire::kNumberFieldSize)) return status::kBadDestination;
  send.destination = BoundedText(field, wire::kNumberFieldSize);
  send.block.assign(request.begin() + wire::kSendBlockOffset, request.end());
  return 0;
}

Bytes AnswerRequest(CardModel& card, Request request, uint64_t nowMs) {
  uint32_t id = ReadU32(&request[wire::kMessageIdOffset]);
  if (auto fault = card.faults.errorReplies.find(id); fault != card.faults.errorReplies.end()) {
    // The fault's error reply carries status 0: the program must still fail.
    if (fault->second == 1)
      card.faults.errorReplies.erase(fault);
    else if (fault->second > 1)
      --fault->second;
    return MakeReply(wire::kErrorReplyId, 0);
  }
  if (auto refused = RefuseMalformed(request)) return std::move(*refused);

  if (id >= wire::kReadCardParamId && id <= wire::kCardParam5Id)
    return AnswerCardParams(card, id, request);
  if (id >= wire::kSendMessageId && id <= wire::kStoredCountsId)
    return AnswerMessages(card, id, request, nowMs);
  if ((id >= wire::kReadPhonebookId && id <= wire::kWriteSimTextId) ||
      id == wire::kPhonebookLimitsId)
    return AnswerPhonebook(card, id, request);
  if (id == wire::kCardManagerDataId) {
    bool fits = request.size() >= wire::kCardManagerDataOffset &&
                request.size() == wire::kCardManagerDataOffset +
                                      ReadU32(&request[wire::kCardManagerDataLengthOffset]);
    return MakeReply(id, fits ? 0 : status::kBadLayout);
  }
  return MakeReply(id, 0);  // the card manager's other requests: taken, nothing to say
}

}  // namespace zeph::cardservice
