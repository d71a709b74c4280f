#pragma once
// How one request travels: the request header, one request and its reply on
// a pipe, and the two small request forms most of the catalogue uses.
//
// Result codes (result_codes.h), in order of precedence: the IPC library's
// own code when sending or reading failed; 2 for an error reply (id
// 0x2010001, whatever its status); else the reply's status. Replies are
// matched by order only: the reply is the next frame read after the request.

#include <cstdint>
#include <span>
#include <vector>

#include "core/devicelink/pipe.h"
#include "core/devicelink/wire_layout.h"

namespace zeph {

// Zero-fills the first `length` bytes of `buffer` (all of it when it is
// shorter) and sets messageId, timeoutMs and length; reserved stays 0.
void InitRequestHeader(std::span<uint8_t> buffer, uint32_t messageId, uint32_t length,
                       uint32_t timeoutMs);

// A zero-filled request of `length` bytes with its header set.
std::vector<uint8_t> MakeRequest(uint32_t messageId, uint32_t length,
                                 uint32_t timeoutMs = wire::kDefaultTimeoutMs);

// One request and its reply:
//  1. drain: while a frame is waiting, read it and drop it; stop after the
//     first read that succeeds (a read that fails tests again, at most a few
//     times, so a connection that keeps failing cannot hold the request);
//  2. send the request; if that fails, return its code, nothing is read;
//  3. read the next frame: it is the reply;
//  4. a failed read gives its code; an error reply 2; a reply too short to
//     hold a status kResultShortReply; else the status.
// `reply`, when given, is set only when the result is 0: the whole reply
// frame, header included, valid until the pipe's next read.
[[nodiscard]] uint32_t SendAndWait(Pipe& pipe, std::span<const uint8_t> request,
                                   std::span<const uint8_t>* reply = nullptr);

// Flags of SimpleRequest and SendNoWait.
inline constexpr uint32_t kRequestHasValue = 0x1;    // +16 u32 value, length 20; else length 16
inline constexpr uint32_t kRequestWantsValue = 0x2;  // SimpleRequest: store the reply's u32 at +20

// A request of the bare header or of one u32 value. With kRequestWantsValue
// and result 0, `out` receives the reply's first payload u32; a reply too
// short for it gives kResultShortReply. `out` is untouched on failure.
[[nodiscard]] uint32_t SimpleRequest(Pipe& pipe, uint32_t flags, uint32_t messageId, uint32_t value,
                                     uint32_t* out, uint32_t timeoutMs = wire::kDefaultTimeoutMs);

// Builds the request SimpleRequest builds (kRequestHasValue only) and sends
// it without draining and without reading a reply; the send's result. `out`
// is passed to IPCSendRequest (it receives the bytes written).
[[nodiscard]] uint32_t SendNoWait(Pipe& pipe, uint32_t flags, uint32_t messageId, uint32_t value,
                                  uint32_t* out, uint32_t timeoutMs);

}  // namespace zeph
