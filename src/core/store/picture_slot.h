#pragma once
// A record's picture, when it has one: held apart from the record, since
// nine records in ten have none and a folder of many records would carry
// 252 bytes of nothing in each. Reads like std::optional<PictureImage>;
// copies are deep.

#include <memory>
#include <optional>

#include "core/store/picture_image.h"

namespace zeph {

class PictureSlot {
 public:
  PictureSlot() = default;
  PictureSlot(std::nullopt_t) {}            // NOLINT: as an empty optional converts
  PictureSlot(const PictureImage& picture)  // NOLINT: as a value converts to an optional
      : picture_(std::make_unique<PictureImage>(picture)) {}
  PictureSlot(const PictureSlot& other) { *this = other; }
  PictureSlot(PictureSlot&&) noexcept = default;
  PictureSlot& operator=(PictureSlot&&) noexcept = default;
  PictureSlot& operator=(const PictureSlot& other) {
    if (this != &other) {
      if (other) {
        emplace() = *other;
      } else {
        reset();
      }
    }
    return *this;
  }
  PictureSlot& operator=(const PictureImage& picture) {
    emplace() = picture;
    return *this;
  }
  PictureSlot& operator=(const std::optional<PictureImage>& picture) {
    if (picture) return *this = *picture;
    reset();
    return *this;
  }
  PictureSlot& operator=(std::nullopt_t) {
    reset();
    return *this;
  }

  bool has_value() const { return picture_ != nullptr; }
  explicit operator bool() const { return has_value(); }
  PictureImage& operator*() { return *picture_; }
  const PictureImage& operator*() const { return *picture_; }
  PictureImage* operator->() { return picture_.get(); }
  const PictureImage* operator->() const { return picture_.get(); }
  PictureImage value_or(const PictureImage& fallback) const {
    return picture_ ? *picture_ : fallback;
  }
  operator std::optional<PictureImage>() const {  // NOLINT: read as the optional it stands for
    return picture_ ? std::optional<PictureImage>(*picture_) : std::nullopt;
  }

  // The picture, white when the slot was empty; a picture already held is
  // kept as it is and its memory reused.
  PictureImage& emplace() {
    if (picture_) {
      picture_->fill(0);
    } else {
      picture_ = std::make_unique<PictureImage>();
    }
    return *picture_;
  }
  void reset() { picture_.reset(); }

  friend bool operator==(const PictureSlot& a, const PictureSlot& b) {
    return a.has_value() == b.has_value() && (!a.has_value() || *a == *b);
  }

 private:
  std::unique_ptr<PictureImage> picture_;
};

}  // namespace zeph
