#include "core/folders/retry_table.h"

namespace zeph {
namespace {

RetryEntry* EntryOf(RetryTable& table, uint32_t reference) REQUIRES(table) {
  for (int i = 0; i < table.Count(); ++i) {
    if (table.GetAt(i)->reference == reference) return table.GetAt(i);
  }
  return nullptr;
}

}  // namespace

RetryDue RetryStateOf(RetryTable& table, uint32_t reference, uint32_t now) {
  ScopedLock hold(table);
  RetryDue due = RetryDue::kNow;
  for (const RetryEntry& entry : table) {
    if (entry.reference != reference) continue;
    if (entry.attempts >= kMaxSendAttempts) return RetryDue::kGivenUp;
    if (entry.attempts != 0 && TickBefore(now, entry.nextAttempt)) due = RetryDue::kHeldBack;
  }
  return due;
}

void CountAttempt(RetryTable& table, uint32_t reference) {
  ScopedLock hold(table);
  if (RetryEntry* entry = EntryOf(table, reference)) ++entry->attempts;
}

void HoldBack(RetryTable& table, uint32_t reference, uint32_t until) {
  ScopedLock hold(table);
  if (RetryEntry* entry = EntryOf(table, reference)) entry->nextAttempt = until;
}

void ResetAttempts(RetryTable& table, uint32_t reference) {
  ScopedLock hold(table);
  if (RetryEntry* entry = EntryOf(table, reference)) entry->attempts = 0;
}

std::optional<RetryEntry> FindRetryEntry(RetryTable& table, uint32_t reference) {
  ScopedLock hold(table);
  if (const RetryEntry* entry = EntryOf(table, reference)) return *entry;
  return std::nullopt;
}

void RemoveRetryEntries(RetryTable& table, uint32_t reference) {
  ScopedLock hold(table);
  for (int i = table.Count() - 1; i >= 0; --i) {
    if (table.GetAt(i)->reference == reference) (void)table.RemoveAt(i);  // i is in range
  }
}

void AddGivenUpEntries(const LockedMessageList& outbox, RetryTable& table, uint32_t now) {
  ScopedLock hold(table);
  for (const MessageRecord& record : outbox) {
    if (record.flags & MRF_GAVEUP) {
      table.Add(std::make_unique<RetryEntry>(RetryEntry{record.reference, kMaxSendAttempts, now}));
    }
  }
}

void AddMissingRetryEntries(const LockedMessageList& outbox, RetryTable& table, uint32_t now) {
  ScopedLock hold(table);
  for (const MessageRecord& record : outbox) {
    if (record.reference != 0 && !EntryOf(table, record.reference)) {
      table.Add(std::make_unique<RetryEntry>(RetryEntry{record.reference, 0, now}));
    }
  }
}

}  // namespace zeph
