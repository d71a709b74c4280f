#include "core/folders/send_thread.h"

#include "core/folders/send_one_message.h"
#include "core/settings/can_send.h"
#include "core/store/message_file.h"

namespace zeph {
namespace {

int IndexOf(const MessageList& list, const MessageRecord* record) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.GetAt(i) == record) return i;
  }
  return -1;
}

// What the retry entries of `record` say before an attempt: given up (five
// attempts made), held back (a failed attempt less than 5 s ago), or due.
enum class Due { kNow, kHeldBack, kGivenUp };

Due RetryState(const RetryTable& retries, const MessageRecord& record, uint32_t now) {
  Due due = Due::kNow;
  for (const RetryEntry& entry : retries) {
    if (entry.reference != record.reference) continue;
    if (entry.attempts >= kMaxSendAttempts) return Due::kGivenUp;
    if (entry.attempts != 0 && TickBefore(now, entry.nextAttempt)) due = Due::kHeldBack;
  }
  return due;
}

}  // namespace

SendThread::SendThread(SendThreadSetup setup) : setup_(std::move(setup)) {}

SendThread::~SendThread() { Stop(); }

void SendThread::Start() {
  if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
}

void SendThread::Stop() {
  if (!thread_.joinable()) return;
  {
    std::unique_lock hold(mutex_);
    stopRequested_ = true;
    changed_.notify_all();
    if (!changed_.wait_for(hold, setup_.stopGrace, [this] { return finished_; }) && pipe_) {
      pipe_->Cancel();
    }
  }
  thread_.join();
}

uint32_t SendThread::Result() const {
  std::lock_guard hold(mutex_);
  return result_;
}

bool SendThread::Finished() const {
  std::lock_guard hold(mutex_);
  return finished_;
}

bool SendThread::StopRequested() const {
  std::lock_guard hold(mutex_);
  return stopRequested_;
}

void SendThread::Run() {
  uint32_t openResult = 0;
  std::unique_ptr<Pipe> pipe = setup_.openPipe(openResult);
  {
    std::lock_guard hold(mutex_);
    if (!pipe) {
      result_ = openResult;
      finished_ = true;
      changed_.notify_all();
      return;
    }
    pipe_ = pipe.get();
  }
  for (;;) {
    if (!StopRequested() && CanSendNow(*pipe)) RunPass(*pipe);
    std::unique_lock hold(mutex_);
    if (changed_.wait_for(hold, setup_.passInterval, [this] { return stopRequested_; })) break;
  }
  {
    std::lock_guard hold(mutex_);
    pipe_ = nullptr;
    finished_ = true;
    changed_.notify_all();
  }
}

void SendThread::RunPass(Pipe& pipe) {
  LockedMessageList& outbox = setup_.outbox;
  RetryTable& retries = setup_.retries;
  auto saveOutbox = [&] { SaveMessageFileOrLog(setup_.outboxPath, outbox); };
  auto notify = [&] {
    if (setup_.outboxChanged) setup_.outboxChanged();
  };

  std::unique_lock outboxLock(outbox);
  int index = 0;
  while (index < outbox.Count() && !StopRequested()) {
    MessageRecord* record = outbox.GetAt(index);
    const Due due = RetryState(retries, *record, setup_.clock.TickCount());
    if (due == Due::kGivenUp && !(record->flags & MRF_GAVEUP)) {
      SetOutboxState(*record, MRF_GAVEUP);
      saveOutbox();
    }
    if (due != Due::kNow || (record->flags & MRF_GAVEUP)) {
      ++index;
      continue;
    }

    auto copy = CopyMessageRecord(*record);  // keeps MRF_WAITING
    SetOutboxState(*record, MRF_SENDING);
    saveOutbox();
    if (RetryEntry* entry = FindRetryEntry(retries, record->reference)) ++entry->attempts;

    outboxLock.unlock();
    notify();
    const uint32_t result = SendOneMessage(*copy, pipe, setup_.filing);
    outboxLock.lock();

    // The record cannot have left the Outbox meanwhile (a record being sent
    // is never deleted), but others around it may have: find it again.
    index = IndexOf(outbox, record);
    if (index < 0) {
      index = 0;  // gone after all (the Outbox was reloaded): start over
    } else if (result != 0) {
      if (RetryEntry* entry = FindRetryEntry(retries, record->reference)) {
        entry->nextAttempt = setup_.clock.TickCount() + kRetryPauseMs;
      }
      SetOutboxState(*record, MRF_WAITING);
      saveOutbox();
      ++index;
    } else {
      const uint32_t queueId = record->reference;
      outbox.Detach(record);  // destroyed here; the next record moves into its index
      saveOutbox();
      RemoveRetryEntries(retries, queueId);
    }
    outboxLock.unlock();
    notify();
    outboxLock.lock();
  }
  outboxLock.unlock();
  notify();
}

}  // namespace zeph
