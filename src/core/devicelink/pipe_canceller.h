#pragma once
// Lets one thread cancel the pipe another thread is opening or using: the
// send thread's stop cancels its pipe from the stopping thread. The owning
// thread attaches its pipe as soon as the pipe exists, before its open has
// finished (IpcOptions::canceller), and detaches it before destroying it.
// Cancelling is final: a pipe attached after Cancel is cancelled at once.

#include "core/devicelink/pipe.h"
#include "core/util/mutex.h"
#include "core/util/thread_annotations.h"

namespace zeph {

class PipeCanceller {
 public:
  void Attach(Pipe& pipe) EXCLUDES(mutex_);
  // Detaches `pipe` if it is the one attached; another stays attached.
  void Detach(const Pipe& pipe) EXCLUDES(mutex_);
  void Cancel() EXCLUDES(mutex_);
  bool cancelled() const EXCLUDES(mutex_);

 private:
  mutable Mutex mutex_;
  Pipe* pipe_ GUARDED_BY(mutex_) = nullptr;
  bool cancelled_ GUARDED_BY(mutex_) = false;
};

}  // namespace zeph
