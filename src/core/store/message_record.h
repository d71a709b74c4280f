#pragma once
// MessageRecord: one message of any folder, and the lists that hold records.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/store/block_list.h"
#include "core/store/locked_block_list.h"
#include "core/store/picture_slot.h"
#include "core/store/value_block_list.h"

namespace zeph {

// Record flag bits.
inline constexpr uint32_t MRF_PICTURE = 0x1;   // picture message; `picture` present
inline constexpr uint32_t MRF_OUTGOING = 0x2;  // written on this computer
inline constexpr uint32_t MRF_LISTED = 0x4;    // unread, already shown in the Inbox list
inline constexpr uint32_t MRF_READ = 0x8;
inline constexpr uint32_t MRF_REPLIED = 0x10;
inline constexpr uint32_t MRF_FORWARDED = 0x20;
inline constexpr uint32_t MRF_BUSINESSCARD = 0x80;  // text is a business card
inline constexpr uint32_t MRF_REPORT = 0x100;       // a received delivery report
inline constexpr uint32_t MRF_REPORT_PENDING = 0x200;
inline constexpr uint32_t MRF_REPORT_DELIVERED = 0x400;
inline constexpr uint32_t MRF_REPORT_FAILED = 0x800;
inline constexpr uint32_t MRF_WAITING = 0x1000;      // Outbox: waiting to be sent
inline constexpr uint32_t MRF_SENDING = 0x2000;      // Outbox: being sent; kept on filed copies
inline constexpr uint32_t MRF_UNKNOWNDATA = 0x4000;  // data message of an unknown kind
inline constexpr uint32_t MRF_GAVEUP = 0x8000;       // Outbox: failed five times
inline constexpr uint32_t MRF_REPLYPATH = 0x10000;   // the sender asked for replies via its centre
inline constexpr uint32_t MRF_REPLACE_MASK = 0xE0000;  // replace type 1 to 7 at bit 17
inline constexpr int MRF_REPLACE_SHIFT = 17;
// The three Outbox states are exclusive; setting one clears this mask first.
inline constexpr uint32_t MRF_OUTBOX_STATES = MRF_WAITING | MRF_SENDING | MRF_GAVEUP;

inline constexpr size_t kNumberBlockSize = 24;
inline constexpr size_t kServiceCentreSize = 23;
// Texts longer than the long-message limit are cut to one less on copy.
inline constexpr size_t kCopyTextLimit = 1064;

// The platform's SYSTEMTIME layout: eight u16 fields.
struct RecordTime {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t dayOfWeek = 0;
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
  bool operator==(const RecordTime&) const = default;
};

// One zero-terminated number text; bytes after the terminator are kept as
// they are, so a record loaded and saved again stays byte for byte the same.
using NumberBlock = std::array<char, kNumberBlockSize>;
using NumberList = ValueBlockList<NumberBlock>;
using ServiceCentre = std::array<char, kServiceCentreSize>;

struct MessageRecord {
  RecordTime time;
  uint32_t flags = 0;
  uint8_t reference = 0;
  NumberList numbers;
  // Windows-1252 bytes. Only scratch records handed to the composer or the
  // chat have none; every record in a folder list has one.
  std::optional<std::string> text;
  // Present exactly when MRF_PICTURE is set, in every record the program
  // files; scratch records may differ, and copies follow the flag.
  PictureSlot picture;
  ServiceCentre serviceCentre{};
};

using MessageList = BlockList<MessageRecord>;
using LockedMessageList = LockedBlockList<MessageRecord>;

// A new record with an empty number list and every other field unset.
std::unique_ptr<MessageRecord> CreateMessageRecord();

// A deep copy. A text longer than 1064 characters is cut to its first 1063;
// the picture is copied only when MRF_PICTURE is set.
std::unique_ptr<MessageRecord> CopyMessageRecord(const MessageRecord& source);

// Appends a number block holding `number` (cut to 23 characters).
void AddNumber(MessageRecord& record, std::string_view number);

// The text of the first number, empty when the record has none.
std::string FirstNumber(const MessageRecord& record);

// The record's text, empty when it has none.
inline const std::string& TextOf(const MessageRecord& record) {
  static const std::string kEmpty;
  return record.text ? *record.text : kEmpty;
}

// Clears the three Outbox states and sets `state`.
inline void SetOutboxState(MessageRecord& record, uint32_t state) {
  record.flags = (record.flags & ~MRF_OUTBOX_STATES) | state;
}

inline int ReplaceType(uint32_t flags) {
  return static_cast<int>((flags & MRF_REPLACE_MASK) >> MRF_REPLACE_SHIFT);
}

}  // namespace zeph
