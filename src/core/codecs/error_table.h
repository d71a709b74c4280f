#pragma once
// The common error table: the errors the program reports in its one error
// box, by code. The box itself belongs to the user interface.

#include <optional>
#include <string>

namespace zeph {

inline constexpr int kErrorPictureTextTooLong = 58;
inline constexpr int kErrorContactNotSaved = 66;
inline constexpr int kErrorUnknownDataMessage = 67;
inline constexpr int kErrorNoRecipient = 75;

// The string id for `code`, or 0 when the table has no such code.
int ErrorStringId(int code);

// The text the error box shows for `code` (its caption is string 1), or
// nothing: a code not in the table shows no box at all. A string that
// cannot be had falls back to "Unknown error.".
std::optional<std::string> ErrorText(int code);

}  // namespace zeph
