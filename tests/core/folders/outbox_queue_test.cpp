#include "core/folders/outbox_queue.h"

#include <gtest/gtest.h>

#include "core/store/message_file.h"
#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::Message;
using testing::TempFolder;
using testing::TextsOf;

class OutboxQueueTest : public ::testing::Test {
 protected:
  int Queue(const std::string& text) {
    return QueueOutboxRecord(outbox, path,
                             Message("+447700900123", text, {}, MRF_OUTGOING | MRF_WAITING));
  }
  TempFolder folder;
  std::string path = folder.File("outbox.sms");
  LockedMessageList outbox;
  RetryTable retries;
};

TEST_F(OutboxQueueTest, ReferencesFillTheSmallestFreeIdAndSaveEachTime) {
  ScopedLock hold(outbox);
  EXPECT_EQ(Queue("a"), 0);
  Queue("b");
  Queue("c");
  EXPECT_EQ(outbox.GetAt(2)->reference, 3);
  ASSERT_EQ(outbox.RemoveAt(1), 1);  // frees id 2
  Queue("d");
  EXPECT_EQ(outbox.GetAt(2)->reference, 2);
  MessageList saved;
  EXPECT_EQ(LoadMessageFile(path, saved), 3);
}

// A delete, one or all, takes the retry entries with the records and leaves the one being sent.
TEST_F(OutboxQueueTest, DeletesRefuseTheRecordBeingSent) {
  for (const char* text : {"a", "b", "c", "d", "e"}) Queue(text);
  ScopedLock hold(outbox);
  SetOutboxState(*outbox.GetAt(2), MRF_SENDING);
  AddMissingRetryEntries(outbox, retries, 0);
  EXPECT_FALSE(DeleteOutboxRecord(outbox, retries, path, 2));
  EXPECT_TRUE(DeleteOutboxRecord(outbox, retries, path, 1));
  EXPECT_FALSE(DeleteOutboxRecord(outbox, retries, path, 4));
  EXPECT_EQ(TextsOf(outbox), (std::vector<std::string>{"a", "c", "d", "e"}));
  for (uint32_t id = 1; id <= 5; ++id) EXPECT_EQ(FindRetryEntry(retries, id).has_value(), id != 2);

  EXPECT_EQ(DeleteAllOutboxRecords(outbox, retries, path), 3);
  EXPECT_EQ(TextsOf(outbox), (std::vector<std::string>{"c"}));
  for (uint32_t id = 1; id <= 5; ++id) EXPECT_EQ(FindRetryEntry(retries, id).has_value(), id == 3);
  MessageList saved;
  EXPECT_EQ(LoadMessageFile(path, saved), 1);
}

TEST_F(OutboxQueueTest, ResendWaitsAgainWithNoAttempts) {
  Queue("failed");
  ScopedLock hold(outbox);
  SetOutboxState(*outbox.GetAt(0), MRF_GAVEUP);
  AddGivenUpEntries(outbox, retries, 100);
  ASSERT_EQ(FindRetryEntry(retries, 1)->attempts, kMaxSendAttempts);
  EXPECT_TRUE(ResendOutboxRecord(outbox, retries, path, 0));
  EXPECT_EQ(FindRetryEntry(retries, 1)->attempts, 0);
  EXPECT_EQ(outbox.GetAt(0)->flags & MRF_OUTBOX_STATES, MRF_WAITING);
  SetOutboxState(*outbox.GetAt(0), MRF_SENDING);
  EXPECT_FALSE(ResendOutboxRecord(outbox, retries, path, 0));
}

TEST(RetryTableTest, MissingEntriesAreAddedOnceAndTicksWrap) {
  LockedMessageList outbox;
  auto a = Message("1", "a");
  a->reference = 4;
  outbox.Add(std::move(a));
  RetryTable retries;
  ScopedLock hold(outbox);
  AddMissingRetryEntries(outbox, retries, 10);
  AddMissingRetryEntries(outbox, retries, 20);
  ScopedLock holdRetries(retries);
  ASSERT_EQ(retries.Count(), 1);
  EXPECT_EQ(retries.GetAt(0)->nextAttempt, 10u);
  EXPECT_TRUE(TickBefore(0xFFFFFFF0u, 5u));  // across the wrap
  EXPECT_FALSE(TickBefore(5u, 0xFFFFFFF0u));
  EXPECT_FALSE(TickBefore(7u, 7u));
}

}  // namespace
}  // namespace zeph
