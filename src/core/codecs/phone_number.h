#pragma once
// The characters a typed phone number may hold: digits and '+', the plus
// anywhere and any number of times.

#include <string>
#include <string_view>

namespace zeph {

inline constexpr std::string_view kPhoneNumberCharacters = "1234567890+";

struct FilteredNumber {
  std::string text;      // the input without any character outside the set
  bool changed = false;  // whether anything was removed
};

FilteredNumber FilterPhoneNumber(std::string_view text);

}  // namespace zeph
