#pragma once
// The send engine's worker: a thread that, about once a second, walks the
// Outbox and sends every record that is due, one at a time, on a pipe of its
// own ("SMSSend sync"). A failed attempt is tried again at the earliest 5 s
// later; after five attempts the record is given up ("Failed") until the
// user resends it.
//
// Locks: the Outbox lock is held while the thread walks or changes the
// Outbox, and the retry table's lock only inside it; neither is held while a
// request is in flight or while the Outbox view is told to refresh.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "core/devicelink/pipe.h"
#include "core/folders/clock.h"
#include "core/folders/retry_table.h"
#include "core/folders/send_filing.h"

namespace zeph {

struct SendThreadSetup {
  LockedMessageList& outbox;
  std::string outboxPath;
  RetryTable& retries;
  SendFiling filing;
  const Clock& clock;
  // Opens the thread's own pipe; on failure returns none with `result` set,
  // and the thread ends with that code.
  std::function<std::unique_ptr<Pipe>(uint32_t& result)> openPipe;
  // Tells the Outbox view that the Outbox changed. Called on the send thread
  // without any lock held; it must hand the work to the user-interface
  // thread and return, never wait for it.
  std::function<void()> outboxChanged;
  // The pause between passes.
  std::chrono::milliseconds passInterval{1000};
  // How long a stop waits for a request in flight to end by itself before
  // the request is cancelled.
  std::chrono::milliseconds stopGrace{15000};
};

class SendThread {
 public:
  explicit SendThread(SendThreadSetup setup);
  ~SendThread();
  SendThread(const SendThread&) = delete;
  SendThread& operator=(const SendThread&) = delete;

  void Start();

  // Signals the thread to stop and waits for it. A request in flight gets
  // the stop grace to finish; then it is cancelled (the pipe is shut down,
  // which makes the blocked request return), so the thread always ends
  // within about the grace. Safe to call more than once.
  void Stop();

  // The code the thread ended with: the pipe's open failure, else 0.
  uint32_t Result() const;
  bool Finished() const;

 private:
  void Run();
  void RunPass(Pipe& pipe);
  bool StopRequested() const;

  SendThreadSetup setup_;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool stopRequested_ = false;  // guarded by mutex_
  bool finished_ = false;       // guarded by mutex_
  uint32_t result_ = 0;         // guarded by mutex_
  Pipe* pipe_ = nullptr;        // guarded by mutex_: the open pipe, for Cancel
};

}  // namespace zeph
