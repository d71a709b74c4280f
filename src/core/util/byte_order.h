#pragma once
// Little-endian reading and writing of the program's binary layouts (store
// files, wire frames, message blocks). Every layout in the program is
// little-endian whatever the host is, so nothing here uses memcpy of ints.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace zeph {

inline uint16_t ReadU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void WriteU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

inline void WriteU32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

// Reads a byte span front to back. A read past the end sets a sticky failure
// flag and yields zeros, so a decoder checks `ok()` once after a group of
// reads instead of after each.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  size_t offset() const { return offset_; }
  size_t remaining() const { return bytes_.size() - offset_; }

  uint8_t U8() {
    if (!Need(1)) return 0;
    return bytes_[offset_++];
  }
  uint16_t U16() {
    if (!Need(2)) return 0;
    uint16_t v = ReadU16(bytes_.data() + offset_);
    offset_ += 2;
    return v;
  }
  uint32_t U32() {
    if (!Need(4)) return 0;
    uint32_t v = ReadU32(bytes_.data() + offset_);
    offset_ += 4;
    return v;
  }
  // Copies n bytes to out; on a short read copies nothing.
  bool Bytes(uint8_t* out, size_t n) {
    if (!Need(n)) return false;
    if (n > 0) std::memcpy(out, bytes_.data() + offset_, n);
    offset_ += n;
    return true;
  }
  // A view of the next n bytes, empty on a short read.
  std::span<const uint8_t> Take(size_t n) {
    if (!Need(n)) return {};
    auto view = bytes_.subspan(offset_, n);
    offset_ += n;
    return view;
  }
  bool Skip(size_t n) {
    if (!Need(n)) return false;
    offset_ += n;
    return true;
  }

 private:
  bool Need(size_t n) {
    if (!ok_ || n > remaining()) {
      ok_ = false;
      return false;
    }
    return true;
  }

  std::span<const uint8_t> bytes_;
  size_t offset_ = 0;
  bool ok_ = true;
};

// Appends to a growing byte vector.
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint16_t v) {
    out_.push_back(static_cast<uint8_t>(v));
    out_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void Bytes(const void* data, size_t n) {
    auto* p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + n);
  }
  void Zeros(size_t n) { out_.insert(out_.end(), n, 0); }

 private:
  std::vector<uint8_t>& out_;
};

}  // namespace zeph
