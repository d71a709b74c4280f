#pragma once
// The program keeps every text as Windows-1252 bytes; the widgets and the
// tools speak UTF-8. These two conversions are the only crossing.

#include <string>
#include <string_view>

namespace zeph {

// Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the
// same value, so every byte survives a round trip.
std::string Utf8FromCp1252(std::string_view cp1252);

// UTF-8 to Windows-1252. A character that Windows-1252 cannot hold, and every
// byte of a malformed UTF-8 sequence, becomes '?'.
std::string Cp1252FromUtf8(std::string_view utf8);

// Whether Windows-1252 holds the character `c` (a code point): whether the
// conversion above keeps it rather than turning it into '?'.
bool Cp1252Holds(char32_t c);

}  // namespace zeph
