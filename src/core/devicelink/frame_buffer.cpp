#include "core/devicelink/frame_buffer.h"

#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"

namespace zeph {

void FrameBuffer::Append(const uint8_t* bytes, size_t count) {
  // Drop what was taken before growing, so a long-lived connection keeps a
  // buffer about one frame large.
  if (start_ > 0 && start_ >= bytes_.size() / 2) {
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(start_));
    start_ = 0;
  }
  bytes_.insert(bytes_.end(), bytes, bytes + count);
}

FrameBuffer::Next FrameBuffer::Peek() const {
  if (size() < wire::kHeaderSize) return Next::kNeedMore;
  uint32_t length = ReadU32(bytes_.data() + start_ + wire::kLengthOffset);
  if (length < wire::kMinFrameLength || length > wire::kMaxFrameLength) return Next::kBadLength;
  return size() >= length ? Next::kFrame : Next::kNeedMore;
}

void FrameBuffer::Take(std::vector<uint8_t>& frame) {
  uint32_t length = ReadU32(bytes_.data() + start_ + wire::kLengthOffset);
  auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(start_);
  frame.assign(first, first + length);
  start_ += length;
  if (start_ == bytes_.size()) Clear();
}

void FrameBuffer::Clear() {
  bytes_.clear();
  start_ = 0;
}

}  // namespace zeph
