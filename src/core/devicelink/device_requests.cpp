#include "core/devicelink/device_requests.h"

#include <algorithm>
#include <cstring>

#include "core/codecs/card_message_layout.h"
#include "core/devicelink/ipc_client.h"
#include "core/devicelink/phonebook_reply.h"
#include "core/devicelink/request_framing.h"
#include "core/devicelink/result_codes.h"
#include "core/util/byte_order.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

// Copies a number's first 22 characters into a zero-filled text[23] field.
void PutNumber(uint8_t* field, std::string_view number) {
  std::copy_n(number.begin(), std::min(number.size(), wire::kMaxNumberLength), field);
}

// A request and its reply, when the reply is at least `minLength` bytes
// long (header included); offsets into it are those of wire_layout.h.
uint32_t Ask(Pipe& pipe, std::span<const uint8_t> request, size_t minLength,
             std::span<const uint8_t>& reply) {
  uint32_t result = SendAndWait(pipe, request, &reply);
  if (result == kResultOk && reply.size() < minLength) return kResultShortReply;
  return result;
}

constexpr size_t kPayload = wire::kReplyPayloadOffset;

uint32_t ReadParamBytes(Pipe& pipe, uint32_t param, uint8_t* value, size_t capacity) {
  auto request = MakeRequest(wire::kReadCardParamId, 20);
  WriteU32(&request[wire::kParamNumberOffset], param);
  std::span<const uint8_t> reply;
  uint32_t result = Ask(pipe, request, kPayload, reply);
  if (result == kResultOk)
    std::memcpy(value, reply.data() + kPayload, std::min(capacity, reply.size() - kPayload));
  return result;
}

std::vector<uint8_t> EntryRequest(uint32_t messageId, uint16_t location, std::string_view name,
                                  std::string_view number) {
  auto request = MakeRequest(messageId, wire::kEntryLength, wire::kPhonebookTimeoutMs);
  WriteU16(&request[wire::kEntryLocationOffset], location);
  auto widened = WidenContactName(name);
  std::copy(widened.begin(), widened.end(), request.begin() + wire::kEntryNameOffset);
  PutNumber(&request[wire::kEntryNumberOffset], number);
  return request;
}

std::vector<uint8_t> CardManagerDataRequest(
    std::span<const uint8_t, wire::kCardManagerDataFieldSize> field, std::span<const uint8_t> data,
    uint32_t timeoutMs) {
  auto length = static_cast<uint32_t>(wire::kCardManagerDataOffset + data.size());
  auto request = MakeRequest(wire::kCardManagerDataId, length, timeoutMs);
  std::copy(field.begin(), field.end(), request.begin() + wire::kCardManagerDataFieldOffset);
  WriteU32(&request[wire::kCardManagerDataLengthOffset], static_cast<uint32_t>(data.size()));
  std::copy(data.begin(), data.end(), request.begin() + wire::kCardManagerDataOffset);
  return request;
}

}  // namespace

// ---- Card parameters -------------------------------------------------------

uint32_t ReadCardParamU32(Pipe& pipe, uint32_t param, uint32_t fallback) {
  uint8_t value[4] = {};
  if (ReadParamBytes(pipe, param, value, sizeof value) != kResultOk) return fallback;
  return ReadU32(value);
}

uint8_t ReadCardParamU8(Pipe& pipe, uint32_t param, uint8_t fallback) {
  uint8_t value = fallback;
  if (ReadParamBytes(pipe, param, &value, 1) != kResultOk) return fallback;
  return value;
}

uint32_t ReadConnectionState(Pipe& pipe) {
  return ReadCardParamU32(pipe, wire::kParamConnectionState, wire::kConnectionStateDefault);
}

uint32_t ReadParam500E(Pipe& pipe) {
  return ReadCardParamU32(pipe, wire::kParam500E, wire::kParam500EDefault);
}

uint8_t ReadLongMessageFlag(Pipe& pipe) {
  return ReadCardParamU8(pipe, wire::kParamLongMessages, wire::kLongMessagesDefault);
}

bool ConnectionAllowsSending(uint32_t state) {
  uint32_t type = state & wire::kConnectionTypeMask;
  return (type == wire::kConnectionGsm || type == wire::kConnectionGprs) &&
         (state & wire::kConnectionStateMask) >= wire::kConnectedAtLeast;
}

uint32_t WriteCardParam(Pipe& pipe, uint32_t param, std::span<const uint8_t> value) {
  if (value.size() > wire::kMaxFrameLength - wire::kParamValueOffset) return kResultBadRequest;
  auto request = MakeRequest(wire::kWriteCardParamId, static_cast<uint32_t>(20 + value.size()));
  WriteU32(&request[wire::kParamNumberOffset], param);
  std::copy(value.begin(), value.end(), request.begin() + wire::kParamValueOffset);
  return SendAndWait(pipe, request);
}

uint32_t WriteCardParamU32(Pipe& pipe, uint32_t param, uint32_t value) {
  uint8_t bytes[4];
  WriteU32(bytes, value);
  return WriteCardParam(pipe, param, bytes);
}

uint32_t WriteCardParamU8(Pipe& pipe, uint32_t param, uint8_t value) {
  return WriteCardParam(pipe, param, std::span<const uint8_t>(&value, 1));
}

uint32_t WriteCardParamText(Pipe& pipe, uint32_t param, std::string_view text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return WriteCardParam(pipe, param, bytes);
}

uint32_t SendCardParam3(Pipe& pipe, uint32_t value) {
  return SimpleRequest(pipe, kRequestHasValue, wire::kCardParam3Id, value, nullptr);
}

uint32_t ReadCardParam4(Pipe& pipe, uint32_t& value) {
  return SimpleRequest(pipe, kRequestWantsValue, wire::kCardParam4Id, 0, &value);
}

uint32_t ReadCardParam5(Pipe& pipe, uint32_t value,
                        std::array<uint8_t, wire::kCardParam5ReplySize>& out) {
  auto request = MakeRequest(wire::kCardParam5Id, 20);
  WriteU32(&request[wire::kHeaderSize], value);
  std::span<const uint8_t> reply;
  uint32_t result = Ask(pipe, request, kPayload + out.size(), reply);
  if (result == kResultOk) std::copy_n(reply.begin() + kPayload, out.size(), out.begin());
  return result;
}

// ---- Card manager control -------------------------------------------------

uint32_t SendModuleSwitchNotice(Pipe& pipe) {
  return SimpleRequest(pipe, kRequestHasValue, wire::kModuleSwitchNoticeId, 0, nullptr);
}

uint32_t CardManagerRequest(Pipe& pipe, uint32_t messageId, uint32_t value) {
  uint32_t flags = messageId == wire::kCardManagerNoValueId ? 0 : kRequestHasValue;
  return SimpleRequest(pipe, flags, messageId, value, nullptr);
}

uint32_t CardManagerRequestNoWait(Pipe& pipe, uint32_t messageId, uint32_t value) {
  uint32_t flags = messageId == wire::kCardManagerNoValueId ? 0 : kRequestHasValue;
  return SendNoWait(pipe, flags, messageId, value, nullptr, wire::kNoWaitTimeoutMs);
}

uint32_t CardManagerData(Pipe& pipe,
                         std::span<const uint8_t, wire::kCardManagerDataFieldSize> field,
                         std::span<const uint8_t> data) {
  if (data.size() > wire::kMaxFrameLength - wire::kCardManagerDataOffset) return kResultBadRequest;
  return SendAndWait(pipe, CardManagerDataRequest(field, data, wire::kDefaultTimeoutMs));
}

uint32_t CardManagerDataNoWait(Pipe& pipe,
                               std::span<const uint8_t, wire::kCardManagerDataFieldSize> field,
                               std::span<const uint8_t> data) {
  if (data.size() > wire::kMaxFrameLength - wire::kCardManagerDataOffset) return kResultBadRequest;
  return IPCSendRequest(pipe, CardManagerDataRequest(field, data, wire::kDefaultTimeoutMs));
}

// ---- Short messages --------------------------------------------------------

uint32_t ReadCentreSettings(Pipe& pipe, CentreSettings& settings) {
  auto request = MakeRequest(wire::kReadCentreSettingsId, 16);
  std::span<const uint8_t> reply;
  uint32_t result = Ask(pipe, request, wire::kCentreReplyLength, reply);
  if (result != kResultOk) return result;
  settings.number = BoundedText(&reply[wire::kCentreReplyNumberOffset], wire::kMaxNumberLength);
  settings.value16 = ReadU16(&reply[wire::kCentreReplyValue16Offset]);
  settings.value32 = ReadU32(&reply[wire::kCentreReplyValue32Offset]);
  return kResultOk;
}

uint32_t WriteCentreSettings(Pipe& pipe, const CentreSettings& settings) {
  auto request = MakeRequest(wire::kWriteCentreSettingsId, wire::kCentreWriteLength);
  PutNumber(&request[wire::kCentreWriteNumberOffset], settings.number);
  WriteU16(&request[wire::kCentreWriteValue16Offset], settings.value16);
  WriteU32(&request[wire::kCentreWriteValue32Offset], settings.value32);
  return SendAndWait(pipe, request);
}

uint32_t ReadSendOptions(Pipe& pipe, SendOptions& options) {
  auto request = MakeRequest(wire::kReadSendOptionsId, 16);
  std::span<const uint8_t> reply;
  uint32_t result = Ask(pipe, request, wire::kSendOptionsReplyLength, reply);
  if (result != kResultOk) return result;
  options.replyPath = ReadU32(&reply[wire::kSendOptionsReplyOffset]);
  options.deliveryReports = ReadU32(&reply[wire::kSendOptionsReplyOffset + 4]);
  options.option3 = ReadU32(&reply[wire::kSendOptionsReplyOffset + 8]);
  return kResultOk;
}

uint32_t WriteSendOptions(Pipe& pipe, const SendOptions& options) {
  auto request = MakeRequest(wire::kWriteSendOptionsId, wire::kSendOptionsWriteLength);
  WriteU32(&request[wire::kSendOptionsWriteOffset], options.replyPath);
  WriteU32(&request[wire::kSendOptionsWriteOffset + 4], options.deliveryReports);
  WriteU32(&request[wire::kSendOptionsWriteOffset + 8], options.option3);
  return SendAndWait(pipe, request);
}

uint32_t SendShortMessage(Pipe& pipe, bool flagA, std::string_view destination,
                          std::span<const uint8_t> block, uint8_t& reference) {
  if (block.size() < card_message::kHeadSize) return kResultBadRequest;
  size_t blockSize = card_message::kHeadSize + ReadU16(&block[card_message::kDataLengthOffset]);
  if (block.size() < blockSize) return kResultBadRequest;
  auto request =
      MakeRequest(wire::kSendMessageId, static_cast<uint32_t>(wire::kSendBlockOffset + blockSize),
                  wire::kSendTimeoutMs);
  request[wire::kSendFlagAOffset] = flagA ? 1 : 0;
  PutNumber(&request[wire::kSendDestinationOffset], destination);
  std::copy_n(block.begin(), blockSize, request.begin() + wire::kSendBlockOffset);
  std::span<const uint8_t> reply;
  uint32_t result = Ask(pipe, request, wire::kSendReferenceOffset + 1, reply);
  if (result == kResultOk) reference = reply[wire::kSendReferenceOffset];
  return result;
}

uint32_t ReadStoredMessageCounts(Pipe& pipe, StoredMessageCounts& counts) {
  auto request = MakeRequest(wire::kStoredCountsId, 16);
  std::span<const uint8_t> reply;
  uint32_t result = Ask(pipe, request, wire::kCountsReplyLength, reply);
  if (result == kResultOk)
    std::copy_n(reply.begin() + wire::kCountsReplyOffset, 3, counts.counts.begin());
  return result;
}

uint32_t ReadStoredMessage(Pipe& pipe, uint8_t slot, std::vector<uint8_t>& block) {
  auto request = MakeRequest(wire::kReadStoredMessageId, wire::kReadStoredLength);
  request[wire::kStoredSlotOffset] = slot;
  std::span<const uint8_t> reply;
  uint32_t result = Ask(pipe, request, wire::kMinStoredMessageReply, reply);
  if (result == kResultOk) block.assign(reply.begin() + wire::kStoredMessageOffset, reply.end());
  return result;
}

uint32_t DeleteStoredMessage(Pipe& pipe, uint32_t slot) {
  return SimpleRequest(pipe, kRequestHasValue, wire::kDeleteStoredMessageId, slot, nullptr);
}

// ---- SIM phonebook ----------------------------------------------------------

uint32_t ReadPhonebook(Pipe& pipe, ContactList& contacts) {
  auto request = MakeRequest(wire::kReadPhonebookId, 16, wire::kPhonebookTimeoutMs);
  std::span<const uint8_t> reply;
  uint32_t result = SendAndWait(pipe, request, &reply);
  if (result != kResultOk) return result;
  return ParsePhonebookReply(reply, contacts);
}

uint32_t ReplacePhonebookEntry(Pipe& pipe, uint16_t location, std::string_view name,
                               std::string_view number) {
  return SendAndWait(pipe, EntryRequest(wire::kReplaceEntryId, location, name, number));
}

uint32_t AddPhonebookEntry(Pipe& pipe, std::string_view name, std::string_view number,
                           uint16_t& location) {
  auto request = EntryRequest(wire::kAddEntryId, 0, name, number);
  std::span<const uint8_t> reply;
  uint32_t result = Ask(pipe, request, wire::kAddedLocationOffset + 2, reply);
  if (result == kResultOk) location = ReadU16(&reply[wire::kAddedLocationOffset]);
  return result;
}

uint32_t DeletePhonebookEntry(Pipe& pipe, uint16_t location) {
  return SendAndWait(pipe, EntryRequest(wire::kDeleteEntryId, location, {}, {}));
}

uint32_t ReadPhonebookLimits(Pipe& pipe, std::array<uint8_t, wire::kLimitsReplyLength>& reply) {
  auto request = MakeRequest(wire::kPhonebookLimitsId, 16);
  std::span<const uint8_t> answer;
  uint32_t result = Ask(pipe, request, wire::kLimitsReplyLength, answer);
  if (result == kResultOk) std::copy_n(answer.begin(), reply.size(), reply.begin());
  return result;
}

uint32_t NameLimitOf(const std::array<uint8_t, wire::kLimitsReplyLength>& reply) {
  return ReadU32(&reply[wire::kLimitsNameOffset]);
}

uint32_t ReadSimText(Pipe& pipe, std::string& text) {
  auto request = MakeRequest(wire::kReadSimTextId, 16);
  std::span<const uint8_t> reply;
  uint32_t result = Ask(pipe, request, kPayload, reply);
  if (result == kResultOk) text = BoundedText(reply.data() + kPayload, reply.size() - kPayload);
  return result;
}

uint32_t WriteSimText(Pipe& pipe, std::string_view text) {
  auto request = MakeRequest(wire::kWriteSimTextId, wire::kWriteSimTextLength);
  PutNumber(&request[wire::kSimTextOffset], text);
  return SendAndWait(pipe, request);
}

}  // namespace zeph
