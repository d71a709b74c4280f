#include "core/codecs/gsm_text.h"

#include <array>

namespace zeph {
namespace {

// Largest length in units of a text of p parts, p = 1 .. 7.
constexpr std::array<size_t, kMaxParts> kPartBoundaries = {160, 304, 456, 608, 760, 912, 1064};

}  // namespace

bool IsExtensionCharacter(char c) {
  return kExtensionCharacters.find(c) != std::string_view::npos;
}

size_t CountUnits(std::string_view text) {
  size_t units = 0;
  for (char c : text) units += IsExtensionCharacter(c) ? 2 : 1;
  return units;
}

void CutToUnits(std::string& text, size_t limit) {
  size_t units = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    units += IsExtensionCharacter(text[i]) ? 2 : 1;
    if (units > limit) {
      text.resize(i);
      return;
    }
  }
}

PartCount CountParts(size_t units) {
  for (size_t p = 0; p < kPartBoundaries.size(); ++p) {
    if (units <= kPartBoundaries[p]) {
      return {static_cast<int>(p + 1), static_cast<int>(kPartBoundaries[p] - units)};
    }
  }
  return {kMaxParts, 0};
}

std::string FormatPartCounter(size_t units) {
  PartCount count = CountParts(units);
  return std::to_string(count.left) + "(" + std::to_string(count.parts) + ")";
}

std::string BlanksForLineBreaks(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  }
  return out;
}

}  // namespace zeph
