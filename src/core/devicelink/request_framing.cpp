#include "core/devicelink/request_framing.h"

#include <algorithm>

#include "core/devicelink/ipc_client.h"
#include "core/devicelink/result_codes.h"
#include "core/util/byte_order.h"

namespace zeph {
namespace {

// Failed reads the drain tolerates before it sends anyway. Each failed read
// waits up to its time-out, so the bound keeps a connection that delivers
// half frames from holding the request for ever.
constexpr int kMaxDrainFailures = 3;

std::vector<uint8_t> MakeSimpleRequest(uint32_t flags, uint32_t messageId, uint32_t value,
                                       uint32_t timeoutMs) {
  bool hasValue = flags & kRequestHasValue;
  auto request = MakeRequest(messageId, hasValue ? 20 : 16, timeoutMs);
  if (hasValue) WriteU32(&request[wire::kHeaderSize], value);
  return request;
}

}  // namespace

void InitRequestHeader(std::span<uint8_t> buffer, uint32_t messageId, uint32_t length,
                       uint32_t timeoutMs) {
  std::fill_n(buffer.begin(), std::min<size_t>(length, buffer.size()), uint8_t{0});
  if (buffer.size() < wire::kHeaderSize) return;
  WriteU32(&buffer[wire::kMessageIdOffset], messageId);
  WriteU32(&buffer[wire::kTimeoutOffset], timeoutMs);
  WriteU32(&buffer[wire::kLengthOffset], length);
}

std::vector<uint8_t> MakeRequest(uint32_t messageId, uint32_t length, uint32_t timeoutMs) {
  std::vector<uint8_t> request(std::max<size_t>(length, wire::kHeaderSize));
  InitRequestHeader(request, messageId, length, timeoutMs);
  return request;
}

uint32_t SendAndWait(Pipe& pipe, std::span<const uint8_t> request,
                     std::span<const uint8_t>* reply) {
  std::span<const uint8_t> message;
  for (int failures = 0; failures < kMaxDrainFailures && IPCGetReadEvent(pipe).IsSignalled();) {
    if (IPCGetMessageReadBuffer(pipe, message) == kResultOk) break;
    ++failures;
  }
  if (uint32_t result = IPCSendRequest(pipe, request); result != kResultOk) return result;
  if (uint32_t result = IPCGetMessageReadBuffer(pipe, message); result != kResultOk) return result;
  if (message.size() < wire::kHeaderSize) return kIpcProtocolError;
  if (ReadU32(&message[wire::kMessageIdOffset]) == wire::kErrorReplyId) return kResultErrorReply;
  if (message.size() < wire::kMinReplyLength) return kResultShortReply;
  uint32_t status = ReadU32(&message[wire::kStatusOffset]);
  if (status == kResultOk && reply) *reply = message;
  return status;
}

uint32_t SimpleRequest(Pipe& pipe, uint32_t flags, uint32_t messageId, uint32_t value,
                       uint32_t* out, uint32_t timeoutMs) {
  auto request = MakeSimpleRequest(flags, messageId, value, timeoutMs);
  std::span<const uint8_t> reply;
  uint32_t result = SendAndWait(pipe, request, &reply);
  if (result != kResultOk || !(flags & kRequestWantsValue) || !out) return result;
  if (reply.size() < wire::kReplyPayloadOffset + 4) return kResultShortReply;
  *out = ReadU32(&reply[wire::kReplyPayloadOffset]);
  return kResultOk;
}

uint32_t SendNoWait(Pipe& pipe, uint32_t flags, uint32_t messageId, uint32_t value, uint32_t* out,
                    uint32_t timeoutMs) {
  auto request = MakeSimpleRequest(flags & kRequestHasValue, messageId, value, timeoutMs);
  return IPCSendRequest(pipe, request, out);
}

}  // namespace zeph
