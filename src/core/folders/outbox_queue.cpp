#include "core/folders/outbox_queue.h"

#include <array>

#include "core/store/message_file.h"
#include "core/util/mutex.h"

namespace zeph {

uint8_t NewOutboxReference(LockedMessageList& outbox) {
  ScopedLock hold(outbox);
  std::array<bool, kMaxQueueReference + 1> taken{};
  for (const MessageRecord& record : outbox) taken[record.reference] = true;
  for (int reference = 1; reference <= kMaxQueueReference; ++reference) {
    if (!taken[static_cast<size_t>(reference)]) return static_cast<uint8_t>(reference);
  }
  return 0;
}

bool GiveFreeQueueIds(LockedMessageList& outbox) {
  bool given = false;
  for (int i = 0; i < outbox.Count(); ++i) {
    MessageRecord* record = outbox.GetAt(i);
    if (record->reference != 0) continue;
    record->reference = NewOutboxReference(outbox);
    if (record->reference == 0) break;  // every id is taken
    given = true;
  }
  return given;
}

int QueueOutboxRecord(LockedMessageList& outbox, const std::string& outboxPath,
                      std::unique_ptr<MessageRecord> record) {
  ScopedLock hold(outbox);
  static_cast<void>(GiveFreeQueueIds(outbox));  // saved with the new record below
  record->reference = NewOutboxReference(outbox);
  const int index = outbox.Add(std::move(record));
  SaveMessageFileOrLog(outboxPath, outbox);
  return index;
}

bool DeleteOutboxRecord(LockedMessageList& outbox, RetryTable& retries,
                        const std::string& outboxPath, int index) {
  ScopedLock hold(outbox);
  const MessageRecord* record = outbox.GetAt(index);
  if (!record || (record->flags & MRF_SENDING)) return false;
  RemoveRetryEntries(retries, record->reference);
  (void)outbox.RemoveAt(index);  // the record was found at index above
  SaveMessageFileOrLog(outboxPath, outbox);
  return true;
}

int DeleteAllOutboxRecords(LockedMessageList& outbox, RetryTable& retries,
                           const std::string& outboxPath) {
  ScopedLock hold(outbox);
  int removed = 0;
  for (int i = outbox.Count() - 1; i >= 0; --i) {
    const MessageRecord* record = outbox.GetAt(i);
    if (record->flags & MRF_SENDING) continue;
    RemoveRetryEntries(retries, record->reference);
    (void)outbox.RemoveAt(i);  // i lies within the list: it cannot fail
    ++removed;
  }
  SaveMessageFileOrLog(outboxPath, outbox);
  return removed;
}

bool ResendOutboxRecord(LockedMessageList& outbox, RetryTable& retries,
                        const std::string& outboxPath, int index) {
  ScopedLock hold(outbox);
  MessageRecord* record = outbox.GetAt(index);
  if (!record || (record->flags & MRF_SENDING)) return false;
  ResetAttempts(retries, record->reference);
  SetOutboxState(*record, MRF_WAITING);
  SaveMessageFileOrLog(outboxPath, outbox);
  return true;
}

}  // namespace zeph
