#pragma once
// A list of small fixed-size blocks held by value: the same operations and
// results as BlockList, without one allocation per block. Used for the
// numbers inside every record, where a folder of many records would
// otherwise pay an allocation per number. Pointers from GetAt stay valid
// only until the list changes.

#include <cstddef>
#include <memory>
#include <vector>

namespace zeph {

template <typename T>
class ValueBlockList {
 public:
  int Add(std::unique_ptr<T> element) {
    elements_.push_back(*element);
    return Count() - 1;
  }
  int Add(const T& element) {
    elements_.push_back(element);
    return Count() - 1;
  }
  T* GetAt(int index) {
    return index < 0 || index >= Count() ? nullptr : &elements_[static_cast<size_t>(index)];
  }
  const T* GetAt(int index) const {
    return index < 0 || index >= Count() ? nullptr : &elements_[static_cast<size_t>(index)];
  }
  int Count() const { return static_cast<int>(elements_.size()); }
  [[nodiscard]] int RemoveAt(int index) {
    if (index < 0 || index >= Count()) return 0;
    elements_.erase(elements_.begin() + index);
    return 1;
  }
  int RemoveAll() {
    elements_.clear();
    elements_.shrink_to_fit();
    return 1;
  }
  // Makes the list `count` blocks long, new blocks zeroed, keeping the
  // memory it has: a record read again into the same place allocates nothing.
  void Resize(int count) {
    if (count >= 0) elements_.resize(static_cast<size_t>(count));
  }
  [[nodiscard]] int ReplaceAt(int index, const T& element) {
    if (index < 0 || index >= Count()) return 0;
    elements_[static_cast<size_t>(index)] = element;
    return 1;
  }
  auto begin() const { return elements_.begin(); }
  auto end() const { return elements_.end(); }

 private:
  std::vector<T> elements_;
};

}  // namespace zeph
