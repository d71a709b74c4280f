#pragma once
// The length rule of the message text control: what a text costs while it
// is written, which character limit the edit gets, and where a text that
// went past the unit limit is cut. The control only reads and writes its
// edit; the rule lives here so that it is tested without a display.

#include <cstddef>
#include <string_view>

namespace zeph {

// The control moves texts in and out through a buffer of 1600 bytes, so it
// holds at most 1599 characters; a longer text given to it is cut.
inline constexpr size_t kMessageTextBuffer = 1600;
inline constexpr size_t kMessageTextMaxCharacters = kMessageTextBuffer - 1;

// The character limit the edit of a control gets when it is made: the unit
// limit of one message or of a long message.
size_t InitialCharacterLimit(bool longMessages);

struct TextMeasurement {
  // The control's length in units: the picture cost plus the characters
  // with a picture, else the units of the kept text.
  size_t length = 0;
  // Characters of the text to keep; less than the text's size when the
  // text went past the unit limit and must be cut there.
  size_t keep = 0;
  // The edit's character limit from now on. Without a picture each
  // extension character in the kept text lowers it by one, so that a full
  // text of plain characters fits exactly and typing stops at the limit.
  size_t characterLimit = 0;
};

// Measures the edit's `text` (Windows-1252; only its first 1599 characters
// count). `longMessages` is the card's long-message flag, `picture`
// whether a picture is attached.
//
// Without a picture the unit limit is 1064 (160 when long messages are not
// allowed); the text is cut before the first character that takes the
// count past it. With a picture the length is 335 plus the characters and
// nothing is cut: the character limit (121, or 160 without long messages)
// holds the text.
TextMeasurement MeasureMessageText(std::string_view text, bool longMessages, bool picture);

// Whether attaching a picture is refused: a text of more than 121
// characters does not fit a picture message.
bool PictureRefusedForText(std::string_view text);

}  // namespace zeph
