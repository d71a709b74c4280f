#pragma once
// Sending one Outbox record through the card service and filing its copies.

#include <cstdint>

#include "core/devicelink/pipe.h"
#include "core/folders/send_filing.h"

namespace zeph {

// Sends `record` (the send thread's copy of an Outbox record) on `pipe`:
// turns line breaks and tabs into blanks (not in business cards), builds the
// block, reads the centre settings and send options afresh, routes through
// the record's own service centre when it carries a reply path (else the
// card's centre, and asks for a reply path when option 1 says so), checks
// that the card can send, and sends. On success the record takes the card's
// message reference; a copy (with MRF_SENDING added) goes to Sent messages
// unless it is a business card, and, when option 2 asks for delivery
// reports, a pending Delivery reports entry with the ReportExcerpt text.
// Returns 0 on success; else the failed request's code, or 1 when the card
// cannot send now.
[[nodiscard]] uint32_t SendOneMessage(MessageRecord& record, Pipe& pipe, const SendFiling& filing);

}  // namespace zeph
