#include "core/codecs/phone_number.h"

namespace zeph {

FilteredNumber FilterPhoneNumber(std::string_view text) {
  FilteredNumber result;
  result.text.reserve(text.size());
  for (char c : text) {
    if (kPhoneNumberCharacters.find(c) != std::string_view::npos) {
      result.text.push_back(c);
    } else {
      result.changed = true;
    }
  }
  return result;
}

}  // namespace zeph
