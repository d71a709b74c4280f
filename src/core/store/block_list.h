#pragma once
// The program's list: an ordered array of owned elements indexed from 0.
// Removing an element destroys it. Results follow the program's list
// conventions: 1 for success, 0 (or no element) for a bad index, and a bad
// index changes nothing.

#include <cstddef>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace zeph {

template <typename T>
class BlockList {
 public:
  BlockList() = default;
  BlockList(const BlockList&) = delete;
  BlockList& operator=(const BlockList&) = delete;
  BlockList(BlockList&&) noexcept = default;
  BlockList& operator=(BlockList&&) noexcept = default;
  virtual ~BlockList() = default;

  // Appends at the end; the result is the new element's index.
  virtual int Add(std::unique_ptr<T> element) {
    elements_.push_back(std::move(element));
    return static_cast<int>(elements_.size()) - 1;
  }

  // The element at `index`, or none below 0 or at or past the count.
  T* GetAt(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return elements_[static_cast<size_t>(index)].get();
  }

  int Count() const { return static_cast<int>(elements_.size()); }

  // Destroys the element at `index` and moves the following ones down.
  [[nodiscard]] virtual int RemoveAt(int index) {
    if (index < 0 || index >= Count()) return 0;
    elements_.erase(elements_.begin() + index);
    return 1;
  }

  virtual int RemoveAll() {
    elements_.clear();
    elements_.shrink_to_fit();
    return 1;
  }

  // Destroys the elements from `count` on; a list no longer than that is
  // left as it is.
  virtual void Truncate(int count) {
    if (count >= 0 && count < Count()) elements_.resize(static_cast<size_t>(count));
  }

  // Makes room for `count` elements in all; a hint that changes nothing else.
  void Reserve(int count) {
    if (count > 0) elements_.reserve(static_cast<size_t>(count));
  }

  // Destroys the element at `index` and puts `element` in its place.
  [[nodiscard]] virtual int ReplaceAt(int index, std::unique_ptr<T> element) {
    if (index < 0 || index >= Count()) return 0;
    elements_[static_cast<size_t>(index)] = std::move(element);
    return 1;
  }

  // Range access for readers; never changes the list.
  class ConstIterator {
   public:
    using Inner = typename std::vector<std::unique_ptr<T>>::const_iterator;
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = const T*;
    using reference = const T&;
    explicit ConstIterator(Inner it) : it_(it) {}
    const T& operator*() const { return **it_; }
    const T* operator->() const { return it_->get(); }
    ConstIterator& operator++() {
      ++it_;
      return *this;
    }
    ConstIterator operator++(int) {
      ConstIterator before = *this;
      ++it_;
      return before;
    }
    bool operator==(const ConstIterator& other) const { return it_ == other.it_; }

   private:
    Inner it_;
  };
  ConstIterator begin() const { return ConstIterator(elements_.begin()); }
  ConstIterator end() const { return ConstIterator(elements_.end()); }

 protected:
  std::vector<std::unique_ptr<T>> elements_;
};

}  // namespace zeph
