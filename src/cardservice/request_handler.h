#pragma once
// Answers the program's requests (the catalogue of devicelink/wire_layout.h)
// from the card model: one request frame in, one reply frame out.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "cardservice/card_model.h"

namespace zeph::cardservice {

// A reply frame: reserved 0, `messageId`, timeoutMs 0, length, status, payload.
std::vector<uint8_t> MakeReply(uint32_t messageId, uint32_t status,
                               std::span<const uint8_t> payload = {});

// The reply to `request` (a whole frame of at least 16 bytes). A request id
// the card does not know, and one the error-reply fault names, get the error
// reply (id 0x2010001). A request whose length breaks its layout gets the
// status kBadLayout.
std::vector<uint8_t> AnswerRequest(CardModel& card, std::span<const uint8_t> request,
                                   uint64_t nowMs);

// The error reply for a request id the card does not know, or the kBadLayout
// reply for a fixed-layout request of another length; none when the layout
// holds. (Every backend refuses the same frames.)
std::optional<std::vector<uint8_t>> RefuseMalformed(std::span<const uint8_t> request);

// Reads a send request (0x290000) into `send`: 0, or kBadLayout for a frame
// shorter than its fixed part, kBadDestination for a destination without
// its terminator inside the field.
uint32_t ReadSendRequest(std::span<const uint8_t> request, SendRequest& send);

}  // namespace zeph::cardservice
