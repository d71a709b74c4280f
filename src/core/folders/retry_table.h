#pragma once
// The send attempts of the Outbox records, one entry per record, in memory
// only, kept by the send engine (send_thread.h): an entry is made at the
// engine's start for a record saved as given up, and for the Outbox view
// (at its refresh, or while it is on screen) for every record without one;
// a record without an entry is attempted at every pass, uncounted, until
// then.
//
// Locks: the table is read and changed only while the Outbox lock is held.
// Its own lock, always taken after the Outbox lock and never held over
// anything else, is taken by every operation below, so no entry is reached
// without it.

#include <cstdint>
#include <optional>

#include "core/store/locked_block_list.h"
#include "core/store/message_record.h"
#include "core/util/thread_annotations.h"

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

// What the entries of queue id `reference` say at tick `now`: given up
// (five attempts made), held back (a failed attempt less than 5 s ago), or
// due. Due also when the record has no entry.
enum class RetryDue { kNow, kHeldBack, kGivenUp };
[[nodiscard]] RetryDue RetryStateOf(RetryTable& table, uint32_t reference, uint32_t now);

// An attempt of queue id `reference` starts: its entry counts one more.
void CountAttempt(RetryTable& table, uint32_t reference);

// An attempt failed: no new one before tick `until`.
void HoldBack(RetryTable& table, uint32_t reference, uint32_t until);

// Resend: the attempts start again from 0.
void ResetAttempts(RetryTable& table, uint32_t reference);

// A copy of the entry of queue id `reference`, or none.
[[nodiscard]] std::optional<RetryEntry> FindRetryEntry(RetryTable& table, uint32_t reference);

// Removes every entry of queue id `reference`. Queue ids are reused, so the
// entry of a record that left the Outbox must go with it, or the next record
// given the same id would inherit its attempts.
void RemoveRetryEntries(RetryTable& table, uint32_t reference);

// At the Outbox module's creation: records saved as given up get an entry
// with five attempts, so that they stay given up.
void AddGivenUpEntries(const LockedMessageList& outbox, RetryTable& table, uint32_t now)
    REQUIRES(outbox);

// At each Outbox refresh: every record without an entry gets {reference, 0,
// now}; a record still without a queue id (0) gets none.
void AddMissingRetryEntries(const LockedMessageList& outbox, RetryTable& table, uint32_t now)
    REQUIRES(outbox);

// Whether tick count `now` lies before `when`, with 32-bit wrap-around.
inline bool TickBefore(uint32_t now, uint32_t when) {
  return static_cast<int32_t>(when - now) > 0;
}

}  // namespace zeph
