#pragma once
// What a text costs on the air. The card service encodes texts for the
// network; the program only counts GSM units: one per character, two for
// each of the nine extension characters that travel as an escape pair.

#include <cstddef>
#include <string>
#include <string_view>

namespace zeph {

inline constexpr size_t kSingleMessageLimit = 160;  // units, no long messages
inline constexpr size_t kLongMessageLimit = 1064;   // units, 7 parts
inline constexpr size_t kPictureTextLimit = 121;    // characters
inline constexpr size_t kPictureCost = 335;         // units added for a picture
inline constexpr int kMaxParts = 7;

// The extension characters, in the program's order: ^ { } [ ] euro | ~ \.
inline constexpr std::string_view kExtensionCharacters = "^{}[]\x80|~\\";

bool IsExtensionCharacter(char c);

// Units of a Windows-1252 text.
size_t CountUnits(std::string_view text);

// Cuts `text` to its longest beginning that costs at most `limit` units.
void CutToUnits(std::string& text, size_t limit);

struct PartCount {
  int parts = 1;  // message parts the text takes
  int left = 0;   // units still free in the last part
};

// Parts and units left for a text of `units` units. Part capacities are 160,
// 144 and then 152, so the boundaries are 160, 304, 456, ... 1064. Lengths
// above 1064 count as 7 parts with 0 left.
PartCount CountParts(size_t units);

// The counter shown beside editable text: units left, then the parts in
// brackets, "160(1)" for an empty text.
std::string FormatPartCounter(size_t units);

// Line feeds, carriage returns and tabs turned into blanks: a text is sent
// (business cards excepted) and excerpted on one line.
std::string BlanksForLineBreaks(std::string_view text);

}  // namespace zeph
