#pragma once
// A BlockList shared between threads. Its mutex is re-entrant: a thread that
// holds it (a send pass, a load under the lock) may call the locking
// operations again. GetAt and Count never lock; a caller that walks the list
// holds the lock itself.

#include <algorithm>
#include <memory>
#include <mutex>

#include "core/store/block_list.h"

namespace zeph {

template <typename T>
class LockedBlockList : public BlockList<T> {
 public:
  int Add(std::unique_ptr<T> element) override {
    std::lock_guard hold(mutex_);
    return BlockList<T>::Add(std::move(element));
  }
  [[nodiscard]] int RemoveAt(int index) override {
    std::lock_guard hold(mutex_);
    return BlockList<T>::RemoveAt(index);
  }
  int RemoveAll() override {
    std::lock_guard hold(mutex_);
    return BlockList<T>::RemoveAll();
  }
  [[nodiscard]] int ReplaceAt(int index, std::unique_ptr<T> element) override {
    std::lock_guard hold(mutex_);
    return BlockList<T>::ReplaceAt(index, std::move(element));
  }

  // Takes `element` out of the list by identity without destroying it; the
  // caller owns it afterwards. Empty when it is not in the list.
  std::unique_ptr<T> Detach(const T* element) {
    std::lock_guard hold(mutex_);
    auto& elements = this->elements_;
    auto it = std::find_if(elements.begin(), elements.end(),
                           [element](const auto& owned) { return owned.get() == element; });
    if (it == elements.end()) return nullptr;
    std::unique_ptr<T> detached = std::move(*it);
    elements.erase(it);
    return detached;
  }

  void Lock() { mutex_.lock(); }
  void Unlock() { mutex_.unlock(); }
  // BasicLockable, so that std::lock_guard and std::unique_lock take the list.
  void lock() { Lock(); }
  void unlock() { Unlock(); }

 private:
  std::recursive_mutex mutex_;
};

}  // namespace zeph
