#pragma once
// A list of small fixed-size blocks held by value: the same operations and
// results as BlockList, without one allocation per block. Used for the
// numbers inside every record. Nearly every record has one number, so the
// first block lives inside the list itself and a list of one allocates
// nothing; from the second block on, all of them move to the heap. Pointers
// from GetAt stay valid only until the list changes.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace zeph {

template <typename T>
class ValueBlockList {
 public:
  int Add(std::unique_ptr<T> element) { return Add(*element); }
  int Add(const T& element) {
    if (count_ == 0) {
      first_ = element;
    } else {
      if (count_ == 1) spilled_.assign(1, first_);
      spilled_.push_back(element);
    }
    return ++count_ - 1;
  }
  T* GetAt(int index) { return index < 0 || index >= count_ ? nullptr : data() + index; }
  const T* GetAt(int index) const {
    return index < 0 || index >= count_ ? nullptr : data() + index;
  }
  int Count() const { return count_; }
  [[nodiscard]] int RemoveAt(int index) {
    if (index < 0 || index >= count_) return 0;
    if (count_ == 1) {
      count_ = 0;
      return 1;
    }
    spilled_.erase(spilled_.begin() + index);
    if (--count_ == 1) {
      first_ = spilled_.front();
      spilled_.clear();
    }
    return 1;
  }
  int RemoveAll() {
    count_ = 0;
    std::vector<T>().swap(spilled_);
    return 1;
  }
  // Makes the list `count` blocks long, new blocks zeroed, keeping the
  // memory it has: a record read again into the same place allocates nothing
  // more than it did the first time.
  void Resize(int count) {
    if (count < 0 || count == count_) return;
    if (count <= 1) {
      if (count == 1 && count_ != 1) first_ = count_ == 0 ? T{} : spilled_.front();
      spilled_.clear();
    } else {
      if (count_ == 1) spilled_.assign(1, first_);
      spilled_.resize(static_cast<size_t>(count));
    }
    count_ = count;
  }
  [[nodiscard]] int ReplaceAt(int index, const T& element) {
    if (index < 0 || index >= count_) return 0;
    data()[index] = element;
    return 1;
  }
  const T* begin() const { return data(); }
  const T* end() const { return data() + count_; }

 private:
  T* data() { return count_ <= 1 ? &first_ : spilled_.data(); }
  const T* data() const { return count_ <= 1 ? &first_ : spilled_.data(); }

  T first_{};
  std::vector<T> spilled_;  // every block once there are two or more
  int count_ = 0;
};

}  // namespace zeph
