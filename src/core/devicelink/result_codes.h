#pragma once
// Result codes of the device link. Every request operation returns an
// unsigned 32-bit code: 0 for success, anything else a failure. Callers treat
// every non-zero code alike; the distinct values exist for logs and tests.
//
// In order of precedence a failure is: the IPC library's own code (sending
// or reading failed), 2 for an error reply, else the reply's status as the
// card service gave it.

#include <cstdint>
#include <string>

namespace zeph {

inline constexpr uint32_t kResultOk = 0;
// A reply too short for its layout (0x290007 under 82 bytes, and every other
// reply that ends before the bytes the caller reads).
inline constexpr uint32_t kResultShortReply = 1;
// The card service answered with the error reply (id 0x2010001).
inline constexpr uint32_t kResultErrorReply = 2;

// The IPC library's own codes. They lie far above the statuses a card
// service uses, so a log tells them apart.
inline constexpr uint32_t kIpcNotConnected = 0xE1000001;   // no connection and none could be made
inline constexpr uint32_t kIpcRefused = 0xE1000002;        // the service refused the open
inline constexpr uint32_t kIpcWriteFailed = 0xE1000003;    // the frame could not be written whole
inline constexpr uint32_t kIpcPeerClosed = 0xE1000004;     // the service closed the connection
inline constexpr uint32_t kIpcTimedOut = 0xE1000005;       // no whole frame within the time-out
inline constexpr uint32_t kIpcProtocolError = 0xE1000006;  // a frame broke the framing rules
inline constexpr uint32_t kIpcCancelled = 0xE1000007;      // the pipe was cancelled (shut down)
// The request layer refused to build a request from the caller's data.
inline constexpr uint32_t kResultBadRequest = 0xE1000008;
// The socket's fallback folder is not private to the user (a link, another
// user's, open to others): no connection is made through it.
inline constexpr uint32_t kIpcUnsafeFolder = 0xE1000009;

// A short name for a result code, for logs: "ok", "short reply",
// "error reply", "not connected", ... or "status 0x..." for a card status.
std::string ResultName(uint32_t code);

}  // namespace zeph
