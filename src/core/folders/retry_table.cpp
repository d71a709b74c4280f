#include "core/folders/retry_table.h"

#include <mutex>

namespace zeph {

RetryEntry* FindRetryEntry(const RetryTable& table, uint32_t reference) {
  for (int i = 0; i < table.Count(); ++i) {
    if (table.GetAt(i)->reference == reference) return table.GetAt(i);
  }
  return nullptr;
}

void RemoveRetryEntries(RetryTable& table, uint32_t reference) {
  std::lock_guard hold(table);
  for (int i = table.Count() - 1; i >= 0; --i) {
    if (table.GetAt(i)->reference == reference) (void)table.RemoveAt(i);  // i is in range
  }
}

void AddGivenUpEntries(const MessageList& outbox, RetryTable& table, uint32_t now) {
  for (const MessageRecord& record : outbox) {
    if (record.flags & MRF_GAVEUP) {
      table.Add(std::make_unique<RetryEntry>(RetryEntry{record.reference, kMaxSendAttempts, now}));
    }
  }
}

void AddMissingRetryEntries(const MessageList& outbox, RetryTable& table, uint32_t now) {
  for (const MessageRecord& record : outbox) {
    if (!FindRetryEntry(table, record.reference)) {
      table.Add(std::make_unique<RetryEntry>(RetryEntry{record.reference, 0, now}));
    }
  }
}

}  // namespace zeph
