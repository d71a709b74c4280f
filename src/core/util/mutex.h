#pragma once
// The locks of the program, annotated for clang's thread-safety analysis
// (thread_annotations.h). Their lock and unlock are spelled as the standard
// library's, so that std::condition_variable_any waits on them.

#include <mutex>

#include "core/util/thread_annotations.h"

namespace zeph {

class CAPABILITY("mutex") Mutex {
 public:
  void lock() ACQUIRE() { mutex_.lock(); }
  void unlock() RELEASE() { mutex_.unlock(); }

 private:
  std::mutex mutex_;
};

// Re-entrant: the thread that holds it may take it again, and gives it back
// as often as it took it. (No timed wait: the thread sanitizer does not see
// a lock taken by pthread_mutex_clocklock, and would report its release.)
class CAPABILITY("mutex") RecursiveMutex {
 public:
  void lock() ACQUIRE() { mutex_.lock(); }
  void unlock() RELEASE() { mutex_.unlock(); }
  bool TryLock() TRY_ACQUIRE(true) { return mutex_.try_lock(); }

 private:
  std::recursive_mutex mutex_;
};

// Holds `lock` from construction to destruction; in between, Unlock and
// Lock give it back and take it again (a send pass lets go of the Outbox
// while a request is in flight).
template <typename Lockable>
class SCOPED_CAPABILITY ScopedLock {
 public:
  explicit ScopedLock(Lockable& lock) ACQUIRE(lock) : lock_(lock) { lock_.lock(); }
  ~ScopedLock() RELEASE() {
    if (held_) lock_.unlock();
  }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;

  void Unlock() RELEASE() {
    lock_.unlock();
    held_ = false;
  }
  void Lock() ACQUIRE() {
    lock_.lock();
    held_ = true;
  }

 private:
  Lockable& lock_;
  bool held_ = true;
};

}  // namespace zeph
