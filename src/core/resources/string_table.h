#pragma once
// The program's string table: every user-visible text that the program
// addresses by number (ids 1 to 93), as Windows-1252 bytes.

#include <string_view>

namespace zeph {

// The text of string `id`; an id the table does not hold gives an empty
// text. The text lives for the whole process.
std::string_view LoadString(int id);

}  // namespace zeph
