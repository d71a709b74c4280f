#pragma once
// The CardMessage block (layout in card_message_layout.h) to and from the
// program's MessageRecord: a received block becomes a record for a folder,
// and a queued record becomes the block handed to the card service.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/message_record.h"

namespace zeph {

// What a delivery report says about the message it reports on.
struct ReportOutcome {
  uint8_t reference = 0;  // the reported message's reference
  uint8_t status = 0;     // 0 pending, 1 delivered, 2 failed
};

struct ReceivedMessage {
  // The new record, owned by the caller; none when the block is shorter than
  // its 62-byte head and so is no message at all.
  std::unique_ptr<MessageRecord> record;
  // An error the caller shows in the error box before it files the record:
  // kErrorUnknownDataMessage for a data message of an unknown kind, else 0.
  int error = 0;
  // Set for a delivery report (MRF_REPORT). Its record has no text yet: the
  // text is that of the entry the report replaces, which the caller finds
  // in the Delivery reports list with MatchReport (reception.h).
  std::optional<ReportOutcome> report;
};

// Turns a received block into a record: reply path, replace type, kind and
// report status into flags, the sender, the service centre, the time stamp,
// and the text and picture decoded from the data. Every read is bounded by
// `block`: a data length field larger than the data present reads only what
// is there. A pure decoder: it touches no list, so it needs no lock.
ReceivedMessage MessageRecordFromReceived(std::span<const uint8_t> block);

// The block that sends `record`: kind 3 with a picture payload for a picture
// message, kind 5 for a business card, kind 4 for any other text. The text is
// sent as it is held (the send engine has already turned line breaks into
// blanks where it must). Service centre and reply path are left zero: the
// caller sets them with SetSendRoute.
std::vector<uint8_t> BuildCardMessage(const MessageRecord& record);

// Sets the service centre to send through (cut to 22 characters) and, when
// `replyPath` is set, the reply-path bit of the first octet.
void SetSendRoute(std::span<uint8_t> block, std::string_view serviceCentre, bool replyPath);

// The value of one time-stamp byte: two decimal digits, the tens in the low
// nibble and the units in the high one.
inline int TimeStampValue(uint8_t b) {
  return (b & 0x0F) * 10 + (b >> 4);
}

}  // namespace zeph
