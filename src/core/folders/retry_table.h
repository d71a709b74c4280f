#pragma once
// The send attempts of the Outbox records, one entry per record, in memory
// only. An entry is made by the Outbox module only (at its creation for
// records saved as given up, at each refresh for every record without one);
// a record without an entry is attempted at every pass, uncounted, until
// then. Read and changed only while the Outbox lock is held; the table's
// own lock, always taken after the Outbox lock, guards adding, removing and
// clearing.

#include <cstdint>

#include "core/store/locked_block_list.h"
#include "core/store/message_record.h"

namespace zeph {

// After five failed attempts a record is given up.
inline constexpr int kMaxSendAttempts = 5;
// A failed record is not tried again for this long.
inline constexpr uint32_t kRetryPauseMs = 5000;

struct RetryEntry {
  uint32_t reference = 0;    // the record's queue id
  int32_t attempts = 0;      // attempts made; 5 or more means given up
  uint32_t nextAttempt = 0;  // tick count before which no new attempt is made
};

using RetryTable = LockedBlockList<RetryEntry>;

// The entry of queue id `reference`, or none.
RetryEntry* FindRetryEntry(const RetryTable& table, uint32_t reference);

// Removes every entry of queue id `reference`.
void RemoveRetryEntries(RetryTable& table, uint32_t reference);

// At the Outbox module's creation: records saved as given up get an entry
// with five attempts, so that they stay given up. Caller holds the Outbox
// lock.
void AddGivenUpEntries(const MessageList& outbox, RetryTable& table, uint32_t now);

// At each Outbox refresh: every record without an entry gets {reference, 0,
// now}. Caller holds the Outbox lock.
void AddMissingRetryEntries(const MessageList& outbox, RetryTable& table, uint32_t now);

// Whether tick count `now` lies before `when`, with 32-bit wrap-around.
inline bool TickBefore(uint32_t now, uint32_t when) {
  return static_cast<int32_t>(when - now) > 0;
}

}  // namespace zeph
