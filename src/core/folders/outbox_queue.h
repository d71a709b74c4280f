#pragma once
// The Outbox as the user-interface thread changes it: queueing new
// messages, and the Outbox module's delete, delete-all and resend. Every
// operation takes the Outbox lock for its whole duration, and the retry
// table's lock only inside it (the order the send thread keeps too).

#include <cstdint>
#include <memory>
#include <string>

#include "core/folders/retry_table.h"
#include "core/store/message_record.h"
#include "core/util/thread_annotations.h"

namespace zeph {

// Queue ids run from 1 to 255.
inline constexpr int kMaxQueueReference = 255;

// The smallest value from 1 to 255 that no Outbox record carries as its
// reference; 0 when all 255 are taken. Takes the Outbox lock.
uint8_t NewOutboxReference(LockedMessageList& outbox);

// Beyond 255 queued records, a record waits unsent with queue id 0 until an id frees.
// Gives the smallest free ids to such records, in Outbox order, so that each has a retry
// entry and five attempts of its own; true when one took an id (the caller saves). The send
// thread calls it before each pass, the queueing below before it gives the new record an id.
bool GiveFreeQueueIds(LockedMessageList& outbox) REQUIRES(outbox);

// Gives `record` the next queue id, appends it to the Outbox and saves the
// Outbox file, all under the Outbox lock. The caller has filled the record
// (time, one number, text, picture, flags with MRF_WAITING). Returns the
// record's index in the Outbox. The send thread finds it on its next pass.
int QueueOutboxRecord(LockedMessageList& outbox, const std::string& outboxPath,
                      std::unique_ptr<MessageRecord> record);

// The Outbox module's Delete: removes the record at `index` with its retry
// entry and saves, unless it is being sent (then nothing changes and the
// result is false).
[[nodiscard]] bool DeleteOutboxRecord(LockedMessageList& outbox, RetryTable& retries,
                                      const std::string& outboxPath, int index);

// Delete All: every record not being sent goes, with its retry entry; the
// file is saved. Returns how many records were removed.
int DeleteAllOutboxRecords(LockedMessageList& outbox, RetryTable& retries,
                           const std::string& outboxPath);

// Resend: the record at `index`, unless it is being sent, is waiting again
// with its attempts back at 0; the file is saved. Returns whether it did.
[[nodiscard]] bool ResendOutboxRecord(LockedMessageList& outbox, RetryTable& retries,
                                      const std::string& outboxPath, int index);

}  // namespace zeph
