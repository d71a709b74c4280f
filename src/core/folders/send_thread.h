#pragma once
// The send engine: a thread that, about once a second, walks the Outbox and
// sends every record that is due, one at a time, on a pipe of its own
// ("SMSSend sync"), and the retry table that paces it. A failed attempt is
// tried again at the earliest 5 s later; after five attempts the record is
// given up ("Failed") until the user resends it.
//
// The retry entries are made for the Outbox view: a record gets its entry
// when the view refreshes, or, while the view is on screen, when the thread
// would tell it to. Until then a record is attempted at every pass,
// uncounted.
//
// Locks: the Outbox lock is held while the thread walks or changes the
// Outbox, and the retry table's lock only inside it; neither is held while a
// request is in flight or while the Outbox view is told of a change. The
// Sent messages and Delivery reports locks are taken, one at a time, only
// while the Outbox lock is not held (send_filing.h).

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "core/devicelink/pipe.h"
#include "core/devicelink/pipe_canceller.h"
#include "core/folders/clock.h"
#include "core/folders/retry_table.h"
#include "core/folders/send_filing.h"
#include "core/util/mutex.h"
#include "core/util/thread_annotations.h"

namespace zeph {

struct SendThreadSetup {
  LockedMessageList& outbox;
  std::string outboxPath;
  SendFiling filing;
  const Clock& clock;
  // Opens the thread's own pipe; on failure returns none with `result` set,
  // and the thread ends with that code. The open is to attach its pipe to
  // `canceller` while it waits for the service (IpcOptions::canceller), so
  // that a stop need not wait for the open's time-out.
  std::function<std::unique_ptr<Pipe>(uint32_t& result, PipeCanceller& canceller)> openPipe;
  // Tells the Outbox view that the Outbox changed. Called on the send thread
  // without any lock held; it must post a notice to the user-interface
  // thread and return, never wait for it.
  std::function<void()> outboxChanged;
  // The pause between passes.
  std::chrono::milliseconds passInterval{1000};
  // How long a stop waits for the thread to end by itself (a request in
  // flight to finish) before it cancels the thread's pipe.
  std::chrono::milliseconds stopGrace{15000};
};

class SendThread {
 public:
  explicit SendThread(SendThreadSetup setup);
  ~SendThread();
  SendThread(const SendThread&) = delete;
  SendThread& operator=(const SendThread&) = delete;

  // Records saved as given up get an entry of five attempts, so that they
  // stay given up; then the thread starts. Once only.
  void Start();

  // Signals the thread to stop and waits for it to end. Bounded in every
  // state of the thread: it gets the stop grace to end by itself; then its
  // pipe is cancelled, which ends an open or a request at once, and the
  // thread ends within moments. The caller may hold the Outbox lock: the
  // thread then leaves the outcome of its last attempt to Stop, which files
  // it once the thread has ended. The caller holds neither the Sent messages
  // nor the Delivery reports lock. Safe to call more than once.
  void Stop() EXCLUDES(mutex_, setup_.filing.sent, setup_.filing.reports);

  // The code the thread ended with: the pipe's open failure, else 0.
  uint32_t Result() const EXCLUDES(mutex_);
  bool Finished() const EXCLUDES(mutex_);

  // The Outbox view's refresh: every record without a retry entry gets
  // {reference, 0, now}. Takes the Outbox lock.
  void GiveRetryEntries();
  // While the view is on screen, the thread gives the entries itself
  // wherever it tells the view of a change, as the view's refresh then
  // would: a record's first attempt is counted and its failure held back.
  void SetOutboxShown(bool shown) { outboxShown_ = shown; }

  // The view's commands, each under the Outbox lock (outbox_queue.h): a
  // record being sent stays as it is.
  [[nodiscard]] bool DeleteRecord(int index);
  int DeleteAllRecords();
  [[nodiscard]] bool ResendRecord(int index);

  // A copy of the retry entry of queue id `reference`, or none.
  [[nodiscard]] std::optional<RetryEntry> RetryEntryOf(uint32_t reference);

 private:
  // An attempt whose outcome the thread could not file because a stop came
  // while another thread held the Outbox lock.
  struct PendingOutcome {
    MessageRecord* record;
    uint32_t result;
  };

  void Run() EXCLUDES(mutex_);
  void RunPass(Pipe& pipe) EXCLUDES(mutex_);
  bool StopRequested() const EXCLUDES(mutex_);
  void Finish(uint32_t result) EXCLUDES(mutex_);
  // Takes the Outbox lock, waiting in short steps so that a stop is seen
  // even while the stopping thread holds the lock. False, without the lock,
  // when a stop came first.
  bool LockOutboxUnlessStopping() TRY_ACQUIRE(true, setup_.outbox) EXCLUDES(mutex_);
  // Files the outcome of an attempt on `record`: after a failure it waits
  // again and is held back 5 s; after a success it leaves the Outbox with
  // its retry entry. The caller saves the Outbox. The index the pass goes
  // on with.
  int FileOutcome(MessageRecord* record, uint32_t result) REQUIRES(setup_.outbox);
  void SaveOutbox() REQUIRES(setup_.outbox);
  // The refresh's entries; a record being sent that had none gets its
  // attempt in flight counted, so that a message that keeps failing is
  // tried five times in all, not six.
  void KeepRetryEntries() REQUIRES(setup_.outbox);
  // Gives the entries when the view is on screen, gives back the Outbox
  // lock, then tells the view.
  void UnlockAndTellView() RELEASE(setup_.outbox);

  SendThreadSetup setup_;
  RetryTable retries_;
  std::atomic<bool> outboxShown_{false};
  std::thread thread_;
  PipeCanceller canceller_;  // the thread's pipe, opening or open
  mutable Mutex mutex_;
  std::condition_variable_any changed_;
  bool stopRequested_ GUARDED_BY(mutex_) = false;
  bool finished_ GUARDED_BY(mutex_) = false;
  uint32_t result_ GUARDED_BY(mutex_) = 0;
  std::optional<PendingOutcome> pending_ GUARDED_BY(mutex_);
};

}  // namespace zeph
