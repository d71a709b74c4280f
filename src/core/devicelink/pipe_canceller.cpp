#include "core/devicelink/pipe_canceller.h"

namespace zeph {

void PipeCanceller::Attach(Pipe& pipe) {
  ScopedLock hold(mutex_);
  pipe_ = &pipe;
  if (cancelled_) pipe.Cancel();
}

void PipeCanceller::Detach(const Pipe& pipe) {
  ScopedLock hold(mutex_);
  if (pipe_ == &pipe) pipe_ = nullptr;
}

void PipeCanceller::Cancel() {
  // Under the lock, so that the owner cannot destroy the pipe meanwhile: it
  // detaches first. Pipe::Cancel returns at once.
  ScopedLock hold(mutex_);
  cancelled_ = true;
  if (pipe_) pipe_->Cancel();
}

bool PipeCanceller::cancelled() const {
  ScopedLock hold(mutex_);
  return cancelled_;
}

}  // namespace zeph
