#pragma once
// Cuts a byte stream into frames. Both ends of a card-service connection
// read through it: bytes come in as the socket gives them, whole frames go
// out. A frame's `length` (u32 at +12, header included) must lie between 16
// and 1 048 576; anything else is a protocol error, after which the reader
// closes the connection.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zeph {

class FrameBuffer {
 public:
  enum class Next {
    kNeedMore,   // no whole frame yet
    kFrame,      // a whole frame is at the front
    kBadLength,  // the frame at the front has a length outside 16 .. 1 MiB
  };

  void Append(const uint8_t* bytes, size_t count);

  // What is at the front of the stream.
  Next Peek() const;

  // Moves the whole frame at the front into `frame` (replacing its
  // content). Only after Peek() gave kFrame.
  void Take(std::vector<uint8_t>& frame);

  // Bytes held that are not yet part of a frame taken.
  size_t size() const { return bytes_.size() - start_; }
  bool empty() const { return size() == 0; }
  void Clear();

 private:
  std::vector<uint8_t> bytes_;
  size_t start_ = 0;  // bytes before it were taken already
};

}  // namespace zeph
