#include "core/folders/send_thread.h"

#include <vector>

#include "core/folders/outbox_queue.h"
#include "core/folders/send_one_message.h"
#include "core/settings/can_send.h"
#include "core/store/message_file.h"

namespace zeph {
namespace {

using SteadyClock = std::chrono::steady_clock;

// The Outbox lock is normally free at once, or within moments (the
// user-interface thread holds it only for a queueing, a refresh or a
// delete). While a stopping thread holds it, the send thread sees the stop
// within one such step and leaves the lock to it.
constexpr std::chrono::milliseconds kOutboxLockStep{2};

int IndexOf(const LockedMessageList& list, const MessageRecord* record) REQUIRES(list) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.GetAt(i) == record) return i;
  }
  return -1;
}

}  // namespace

SendThread::SendThread(SendThreadSetup setup) : setup_(std::move(setup)) {}

SendThread::~SendThread() {
  Stop();
}

void SendThread::Start() {
  if (thread_.joinable()) return;
  {
    ScopedLock hold(setup_.outbox);
    AddGivenUpEntries(setup_.outbox, retries_, setup_.clock.TickCount());
  }
  thread_ = std::thread([this] { Run(); });
}

void SendThread::Stop() {
  if (!thread_.joinable()) return;
  {
    ScopedLock hold(mutex_);
    stopRequested_ = true;
    changed_.notify_all();
    const auto deadline = SteadyClock::now() + setup_.stopGrace;
    while (!finished_) {
      if (changed_.wait_until(mutex_, deadline) == std::cv_status::timeout) break;
    }
  }
  // Ends an open or a request in flight at once; harmless when the thread
  // has ended.
  canceller_.Cancel();
  thread_.join();

  std::optional<PendingOutcome> pending;
  {
    ScopedLock hold(mutex_);
    pending.swap(pending_);
  }
  if (pending) {
    // Re-entrant: also when this thread held the Outbox lock all along.
    ScopedLock outboxLock(setup_.outbox);
    (void)FileOutcome(pending->record, pending->result);
    SaveOutbox();
  }
}

uint32_t SendThread::Result() const {
  ScopedLock hold(mutex_);
  return result_;
}

bool SendThread::Finished() const {
  ScopedLock hold(mutex_);
  return finished_;
}

bool SendThread::StopRequested() const {
  ScopedLock hold(mutex_);
  return stopRequested_;
}

void SendThread::Finish(uint32_t result) {
  ScopedLock hold(mutex_);
  result_ = result;
  finished_ = true;
  changed_.notify_all();
}

bool SendThread::LockOutboxUnlessStopping() {
  for (;;) {
    if (setup_.outbox.TryLock()) return true;
    ScopedLock hold(mutex_);
    if (stopRequested_) return false;
    (void)changed_.wait_for(mutex_, kOutboxLockStep);  // a stop ends the step early
  }
}

void SendThread::Run() {
  uint32_t openResult = 0;
  std::unique_ptr<Pipe> pipe = setup_.openPipe(openResult, canceller_);
  if (!pipe) {
    Finish(openResult);
    return;
  }
  canceller_.Attach(*pipe);
  for (;;) {
    if (!StopRequested() && CanSendNow(*pipe)) RunPass(*pipe);
    ScopedLock hold(mutex_);
    const auto nextPass = SteadyClock::now() + setup_.passInterval;
    while (!stopRequested_) {
      if (changed_.wait_until(mutex_, nextPass) == std::cv_status::timeout) break;
    }
    if (stopRequested_) break;
  }
  canceller_.Detach(*pipe);  // before the pipe goes
  Finish(0);
}

void SendThread::RunPass(Pipe& pipe) {
  if (!LockOutboxUnlessStopping()) return;
  // Whether the Outbox changed since its last save. The outcome of an
  // attempt is saved with the next record's "Sending..." (the lock held in
  // between, so nobody sees the file behind the list), or at the end of the
  // pass: one save less per message, each a flush to disk. The Sent
  // messages copy is saved before either, so a crash in between leaves the
  // record in the Outbox, to be sent again, never in neither file.
  bool unsaved = GiveFreeQueueIds(setup_.outbox);
  int index = 0;
  while (index < setup_.outbox.Count() && !StopRequested()) {
    MessageRecord* record = setup_.outbox.GetAt(index);
    if (record->reference == 0) {  // waits for a queue id of its own
      ++index;
      continue;
    }
    const RetryDue due = RetryStateOf(retries_, record->reference, setup_.clock.TickCount());
    if (due == RetryDue::kGivenUp && !(record->flags & MRF_GAVEUP)) {
      SetOutboxState(*record, MRF_GAVEUP);
      unsaved = true;
    }
    if (due != RetryDue::kNow || (record->flags & MRF_GAVEUP)) {
      ++index;
      continue;
    }

    auto copy = CopyMessageRecord(*record);  // keeps MRF_WAITING
    SetOutboxState(*record, MRF_SENDING);
    SaveOutbox();
    unsaved = false;
    CountAttempt(retries_, record->reference);

    UnlockAndTellView();
    const uint32_t result = SendOneMessage(*copy, pipe, setup_.filing);
    if (!LockOutboxUnlessStopping()) {
      ScopedLock hold(mutex_);
      pending_ = PendingOutcome{record, result};
      return;
    }
    index = FileOutcome(record, result);
    unsaved = true;
  }
  if (unsaved) SaveOutbox();
  UnlockAndTellView();
}

void SendThread::UnlockAndTellView() {
  if (outboxShown_) KeepRetryEntries();
  setup_.outbox.unlock();
  if (setup_.outboxChanged) setup_.outboxChanged();
}

void SendThread::KeepRetryEntries() {
  std::vector<uint32_t> inFlight;
  for (const MessageRecord& record : setup_.outbox) {
    if ((record.flags & MRF_SENDING) && !FindRetryEntry(retries_, record.reference)) {
      inFlight.push_back(record.reference);
    }
  }
  AddMissingRetryEntries(setup_.outbox, retries_, setup_.clock.TickCount());
  for (uint32_t reference : inFlight) CountAttempt(retries_, reference);
}

void SendThread::GiveRetryEntries() {
  ScopedLock hold(setup_.outbox);
  KeepRetryEntries();
}

bool SendThread::DeleteRecord(int index) {
  return DeleteOutboxRecord(setup_.outbox, retries_, setup_.outboxPath, index);
}

int SendThread::DeleteAllRecords() {
  return DeleteAllOutboxRecords(setup_.outbox, retries_, setup_.outboxPath);
}

bool SendThread::ResendRecord(int index) {
  return ResendOutboxRecord(setup_.outbox, retries_, setup_.outboxPath, index);
}

std::optional<RetryEntry> SendThread::RetryEntryOf(uint32_t reference) {
  ScopedLock hold(setup_.outbox);
  return FindRetryEntry(retries_, reference);
}

void SendThread::SaveOutbox() {
  SaveMessageFileOrLog(setup_.outboxPath, setup_.outbox, setup_.filing.durability);
}

int SendThread::FileOutcome(MessageRecord* record, uint32_t result) {
  // The record cannot have left the Outbox meanwhile (a record being sent
  // is never deleted), but others around it may have: find it again.
  const int index = IndexOf(setup_.outbox, record);
  if (index < 0) return 0;  // gone after all (the Outbox was reloaded): start over
  if (result != 0) {
    HoldBack(retries_, record->reference, setup_.clock.TickCount() + kRetryPauseMs);
    SetOutboxState(*record, MRF_WAITING);
    return index + 1;
  }
  const uint32_t queueId = record->reference;
  setup_.outbox.Detach(record);  // destroyed here; the next record moves into its index
  // Queue ids are reused: the next record given this id starts from 0.
  RemoveRetryEntries(retries_, queueId);
  return index;
}

}  // namespace zeph
