#include "core/codecs/text_decoders.h"

#include <algorithm>
#include <cstdint>

namespace zeph {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsContinuation(std::string_view text, size_t at) {
  return at < text.size() && (static_cast<uint8_t>(text[at]) & 0xC0) == 0x80;
}

}  // namespace

int DecodeQuotedPrintable(std::string_view text, std::span<char> out) {
  std::fill(out.begin(), out.end(), 0);
  if (out.empty()) return 1;
  size_t written = 0;
  for (size_t i = 0; i < text.size() && written < out.size() - 1; ++i) {
    if (text[i] == '=' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out[written++] = static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out[written++] = text[i];
    }
  }
  return 1;
}

int DecodeUtf8(std::string_view text, std::span<char16_t> out) {
  if (out.empty()) return 0;
  size_t written = 0;
  size_t i = 0;
  int result = 1;
  while (i < text.size() && text[i] != 0 && written < out.size() - 1) {
    const uint8_t first = static_cast<uint8_t>(text[i]);
    if (first < 0x80) {
      out[written++] = first;
      i += 1;
    } else if ((first & 0xE0) == 0xC0 && IsContinuation(text, i + 1)) {
      out[written++] = static_cast<char16_t>(((first & 0x1F) << 6) + (text[i + 1] & 0x3F));
      i += 2;
    } else if ((first & 0xF0) == 0xE0 && IsContinuation(text, i + 1) &&
               IsContinuation(text, i + 2)) {
      out[written++] = static_cast<char16_t>(((first & 0x0F) << 12) + ((text[i + 1] & 0x3F) << 6) +
                                             (text[i + 2] & 0x3F));
      i += 3;
    } else {
      result = 0;
      break;
    }
  }
  out[written] = 0;
  return result;
}

}  // namespace zeph
