#pragma once
// A BlockList shared between threads, which is its own lock. The lock is
// re-entrant: a thread that holds it (a send pass, a load under the lock)
// may call the locking operations again. Add, RemoveAt, RemoveAll,
// Truncate, ReplaceAt and Detach take it themselves; GetAt and Count
// require it held, so a caller that walks the list holds the lock over the whole walk, and
// the clang build checks that it does.

#include <algorithm>
#include <memory>

#include "core/store/block_list.h"
#include "core/util/mutex.h"
#include "core/util/thread_annotations.h"

namespace zeph {

template <typename T>
class CAPABILITY("mutex") LockedBlockList : public BlockList<T> {
 public:
  int Add(std::unique_ptr<T> element) override {
    ScopedLock hold(*this);
    return BlockList<T>::Add(std::move(element));
  }
  [[nodiscard]] int RemoveAt(int index) override {
    ScopedLock hold(*this);
    return BlockList<T>::RemoveAt(index);
  }
  int RemoveAll() override {
    ScopedLock hold(*this);
    return BlockList<T>::RemoveAll();
  }
  void Truncate(int count) override {
    ScopedLock hold(*this);
    BlockList<T>::Truncate(count);
  }
  [[nodiscard]] int ReplaceAt(int index, std::unique_ptr<T> element) override {
    ScopedLock hold(*this);
    return BlockList<T>::ReplaceAt(index, std::move(element));
  }

  // Takes `element` out of the list by identity without destroying it; the
  // caller owns it afterwards. Empty when it is not in the list.
  std::unique_ptr<T> Detach(const T* element) {
    ScopedLock hold(*this);
    auto& elements = this->elements_;
    auto it = std::find_if(elements.begin(), elements.end(),
                           [element](const auto& owned) { return owned.get() == element; });
    if (it == elements.end()) return nullptr;
    std::unique_ptr<T> detached = std::move(*it);
    elements.erase(it);
    return detached;
  }

  // The range walk (begin, end) is BlockList's, unannotated: clang's
  // analysis cannot see the list behind the hidden reference of a range
  // for. A walk holds the lock all the same.
  T* GetAt(int index) const REQUIRES(this) { return BlockList<T>::GetAt(index); }
  int Count() const REQUIRES(this) { return BlockList<T>::Count(); }

  // The list's mutex: taken without limit, given back as often as taken. A
  // list seen as const is still locked to be read.
  void Lock() const ACQUIRE() { mutex_.lock(); }
  void Unlock() const RELEASE() { mutex_.unlock(); }
  // Spelled as the standard library's, for ScopedLock.
  void lock() const ACQUIRE() { mutex_.lock(); }
  void unlock() const RELEASE() { mutex_.unlock(); }
  // Takes the lock unless another thread holds it; never waits.
  bool TryLock() const TRY_ACQUIRE(true) { return mutex_.TryLock(); }

 private:
  mutable RecursiveMutex mutex_;
};

}  // namespace zeph
