#pragma once
// The SIM phonebook on the wire: the reply of 0x2A0000 and the name coding
// of the entry requests (wire_layout.h has the offsets).
//
// Names travel as UTF-16 units; the program's names are Windows-1252 bytes.
// Writing sign-extends each byte (0xE9 becomes the unit 0xFFE9, not 0x00E9)
// and ends the name with a 0 unit; reading keeps the low byte of each unit.
// So a name read back equals the name written.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/store/app_lists.h"

namespace zeph {

// Reads the reply of 0x2A0000 (the whole frame, header included) into
// `contacts`, replacing its content: entries 0 to n - 1, in reply order, each
// name cut to 20 characters (at its first 0 unit), each number to 22. A count
// above 512 is taken as 512. A reply shorter than the fixed layout (34 326
// bytes) gives kResultShortReply and leaves `contacts` untouched; nothing is
// read past the reply's end. 0 on success.
[[nodiscard]] uint32_t ParsePhonebookReply(std::span<const uint8_t> reply, ContactList& contacts);

// The 42-byte name field of 0x2A0001 / 0x2A0003: at most 20 characters,
// each sign-extended to 16 bits, then 0 units.
std::array<uint8_t, 42> WidenContactName(std::string_view name);

// A name field read back: the low byte of each unit up to the first 0 unit,
// at most `maxCharacters` of them. `field` may be shorter than 42 bytes.
std::string NarrowContactName(std::span<const uint8_t> field, size_t maxCharacters = 20);

}  // namespace zeph
