#pragma once
// Zero-terminated texts held in fixed-size byte fields (numbers, service
// centres, contact names). A field always keeps room for its terminator, so
// a text is cut to the field size less one.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zeph {

// The text up to the first zero byte, or the whole field when it has none.
template <size_t N>
std::string FieldText(const std::array<char, N>& field) {
  const char* end = static_cast<const char*>(std::memchr(field.data(), 0, N));
  return std::string(field.data(), end ? static_cast<size_t>(end - field.data()) : N);
}

// Stores `text` cut to N - 1 bytes, zero-filling the rest of the field.
template <size_t N>
void SetFieldText(std::array<char, N>& field, std::string_view text) {
  field.fill(0);
  size_t n = std::min(text.size(), N - 1);
  std::copy_n(text.data(), n, field.data());
}

template <size_t N>
std::array<char, N> MakeField(std::string_view text) {
  std::array<char, N> field{};
  SetFieldText(field, text);
  return field;
}

// The text of a zero-terminated field inside a byte buffer, never reading
// past `size` bytes.
inline std::string BoundedText(const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  const char* end = static_cast<const char*>(std::memchr(p, 0, size));
  return std::string(p, end ? static_cast<size_t>(end - p) : size);
}

}  // namespace zeph
