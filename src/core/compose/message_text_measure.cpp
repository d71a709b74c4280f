#include "core/compose/message_text_measure.h"

#include <algorithm>

#include "core/codecs/gsm_text.h"

namespace zeph {

size_t InitialCharacterLimit(bool longMessages) {
  return longMessages ? kLongMessageLimit : kSingleMessageLimit;
}

TextMeasurement MeasureMessageText(std::string_view text, bool longMessages, bool picture) {
  text = text.substr(0, std::min(text.size(), kMessageTextMaxCharacters));
  TextMeasurement result;
  result.keep = text.size();
  if (picture) {
    result.characterLimit = longMessages ? kPictureTextLimit : kSingleMessageLimit;
    result.length = kPictureCost + text.size();
    return result;
  }
  const size_t unitLimit = InitialCharacterLimit(longMessages);
  size_t units = 0;
  size_t extensions = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool extension = IsExtensionCharacter(text[i]);
    if (units + (extension ? 2 : 1) > unitLimit) {
      result.keep = i;
      break;
    }
    units += extension ? 2 : 1;
    if (extension) ++extensions;
  }
  result.length = units;
  result.characterLimit = unitLimit - extensions;
  return result;
}

bool PictureRefusedForText(std::string_view text) {
  return std::min(text.size(), kMessageTextMaxCharacters) > kPictureTextLimit;
}

}  // namespace zeph
