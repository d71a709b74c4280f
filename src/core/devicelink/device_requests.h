#pragma once
// The request catalogue: one function per card-service request, with its
// payload layout (wire_layout.h), its time-out and, for the parameter reads,
// its default. Every function returns the result code of request_framing.h
// (0 for success) and leaves its outputs untouched on failure, except the
// parameter reads, which return their default instead of a code.
//
// A reply shorter than the bytes a function reads gives kResultShortReply;
// nothing is read past a reply's end.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/devicelink/pipe.h"
#include "core/devicelink/wire_layout.h"
#include "core/store/app_lists.h"

namespace zeph {

// ---- Card parameters: 0x0B0001 to 0x0B0005 ---------------------------------

// Reads a card parameter: min(4, payload) bytes of the reply into a value
// preset to 0 (so a 2-byte answer has its upper bytes 0); `fallback` when the
// request fails.
uint32_t ReadCardParamU32(Pipe& pipe, uint32_t param, uint32_t fallback);
// The one-byte form; `fallback` also when the reply carries no byte.
uint8_t ReadCardParamU8(Pipe& pipe, uint32_t param, uint8_t fallback);

// Parameter 0x5001, 0 when the read fails (so nothing can be sent).
uint32_t ReadConnectionState(Pipe& pipe);
// Parameter 0x500E, 0xFFFFFFFF when the read fails.
uint32_t ReadParam500E(Pipe& pipe);
// Parameter 0x510C, non-zero when long messages are allowed; 1 when the read fails.
uint8_t ReadLongMessageFlag(Pipe& pipe);

// Sending is possible on a cellular connection (GSM 0x200 or GPRS 0x400 in
// bits 8 to 12) whose state (bits 0 to 3) is at least 2.
bool ConnectionAllowsSending(uint32_t connectionState);

// 0x0B0002: writes a parameter's value (a u32, a u8 or a text with its NUL).
[[nodiscard]] uint32_t WriteCardParam(Pipe& pipe, uint32_t param, std::span<const uint8_t> value);
uint32_t WriteCardParamU32(Pipe& pipe, uint32_t param, uint32_t value);
uint32_t WriteCardParamU8(Pipe& pipe, uint32_t param, uint8_t value);
[[nodiscard]] uint32_t WriteCardParamText(Pipe& pipe, uint32_t param, std::string_view text);

// 0x0B0003 (+16 u32), 0x0B0004 (reply +20 u32), 0x0B0005 (+16 u32, reply
// +20 76 bytes): offered for completeness; the program issues none of them.
uint32_t SendCardParam3(Pipe& pipe, uint32_t value);
uint32_t ReadCardParam4(Pipe& pipe, uint32_t& value);
uint32_t ReadCardParam5(Pipe& pipe, uint32_t value,
                        std::array<uint8_t, wire::kCardParam5ReplySize>& out);

// ---- Card manager control: 0x140001 to 0x14000B ---------------------------

// 0x140006 with the value 0, sent on every module switch and after an Inbox
// refresh; callers ignore the result.
[[nodiscard]] uint32_t SendModuleSwitchNotice(Pipe& pipe);

// Any request of the group that carries one u32 (0x14000B carries none and
// ignores `value`), waiting for its reply; 0x140009 has its own function.
// The card manager's window is not brought forward first: this platform
// has no such permission to give.
[[nodiscard]] uint32_t CardManagerRequest(Pipe& pipe, uint32_t messageId, uint32_t value);
// The SendNoWait forms of 0x140002 to 0x140004, 0x140007, 0x140008,
// 0x14000A and 0x14000B (time-out 180000 ms): sent, no reply read.
[[nodiscard]] uint32_t CardManagerRequestNoWait(Pipe& pipe, uint32_t messageId, uint32_t value);
// 0x140009: +16 23 bytes; +39 u32 data length; +43 the data. The NoWait
// form's time-out is 15000 ms.
[[nodiscard]] uint32_t CardManagerData(
    Pipe& pipe, std::span<const uint8_t, wire::kCardManagerDataFieldSize> field,
    std::span<const uint8_t> data);
[[nodiscard]] uint32_t CardManagerDataNoWait(
    Pipe& pipe, std::span<const uint8_t, wire::kCardManagerDataFieldSize> field,
    std::span<const uint8_t> data);

// ---- Short messages: 0x290000 to 0x290009 ---------------------------------

struct CentreSettings {
  std::string number;    // the message-centre number, at most 22 characters
  uint16_t value16 = 0;  // read and written, not used by the program
  uint32_t value32 = 0;  // read and written, not used by the program
};
// 0x290003. The number is read up to 22 characters or its first NUL.
[[nodiscard]] uint32_t ReadCentreSettings(Pipe& pipe, CentreSettings& settings);
// 0x290004. The number's first 22 characters are sent.
[[nodiscard]] uint32_t WriteCentreSettings(Pipe& pipe, const CentreSettings& settings);

struct SendOptions {
  uint32_t replyPath = 0;        // option 1
  uint32_t deliveryReports = 0;  // option 2
  uint32_t option3 = 0;          // option 3: flag A of the send request
  bool operator==(const SendOptions&) const = default;
};
[[nodiscard]] uint32_t ReadSendOptions(Pipe& pipe, SendOptions& options);         // 0x290005
[[nodiscard]] uint32_t WriteSendOptions(Pipe& pipe, const SendOptions& options);  // 0x290006

// 0x290000, time-out 120000 ms: sends the CardMessage `block` (its 62-byte
// head and the data length given at block offset 60; bytes beyond are not
// sent) to `destination` (its first 22 characters). `reference` receives
// the message reference the card gave. A block shorter than its head and
// data length is not sent: kResultBadRequest.
[[nodiscard]] uint32_t SendShortMessage(Pipe& pipe, bool flagA, std::string_view destination,
                                        std::span<const uint8_t> block, uint8_t& reference);

// 0x290009: three u8 counts; reception scans slots 0 to their sum - 1.
struct StoredMessageCounts {
  std::array<uint8_t, 3> counts{};
  int Total() const { return counts[0] + counts[1] + counts[2]; }
};
[[nodiscard]] uint32_t ReadStoredMessageCounts(Pipe& pipe, StoredMessageCounts& counts);

// 0x290007: the CardMessage stored in `slot`, copied into `block` (the
// reply from offset 20). A reply under 82 bytes fails with kResultShortReply.
[[nodiscard]] uint32_t ReadStoredMessage(Pipe& pipe, uint8_t slot, std::vector<uint8_t>& block);

// 0x290008: deletes the message in `slot`.
[[nodiscard]] uint32_t DeleteStoredMessage(Pipe& pipe, uint32_t slot);

// ---- SIM phonebook: 0x2A0000 to 0x2A0008, 0x2C0010 ------------------------

// 0x2A0000, time-out 60000 ms: replaces `contacts` with the SIM's entries
// (phonebook_reply.h tells how the reply is read).
[[nodiscard]] uint32_t ReadPhonebook(Pipe& pipe, ContactList& contacts);

// 0x2A0001, 60000 ms: replaces the entry at `location`. The name's first 20
// characters are sent widened (phonebook_reply.h), the number's first 22.
[[nodiscard]] uint32_t ReplacePhonebookEntry(Pipe& pipe, uint16_t location, std::string_view name,
                                             std::string_view number);
// 0x2A0003, 60000 ms: adds an entry; `location` receives the location the
// card gave it.
[[nodiscard]] uint32_t AddPhonebookEntry(Pipe& pipe, std::string_view name, std::string_view number,
                                         uint16_t& location);
// 0x2A0004, 60000 ms.
[[nodiscard]] uint32_t DeletePhonebookEntry(Pipe& pipe, uint16_t location);

// 0x2C0010: the 28-byte reply, whose u32 at +24 is the longest name the SIM
// takes. `reply` receives it whole.
[[nodiscard]] uint32_t ReadPhonebookLimits(Pipe& pipe,
                                           std::array<uint8_t, wire::kLimitsReplyLength>& reply);
// The name limit out of that reply.
uint32_t NameLimitOf(const std::array<uint8_t, wire::kLimitsReplyLength>& reply);

// 0x2A0007 (reply +20 a NUL-terminated text) and 0x2A0008 (+16 text[23]).
[[nodiscard]] uint32_t ReadSimText(Pipe& pipe, std::string& text);
[[nodiscard]] uint32_t WriteSimText(Pipe& pipe, std::string_view text);

}  // namespace zeph
