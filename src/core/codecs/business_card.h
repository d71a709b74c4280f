#pragma once
// Business cards: short messages whose text is a vCard 2.1 card carrying a
// name and phone numbers. The program writes one fixed minimal card and reads
// a small subset: the name from FN or N (with the UTF-8 and quoted-printable
// encodings of N) and the values of TEL properties. Folded lines, other
// charsets, and encodings of FN or TEL values are not interpreted.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zeph {

inline constexpr size_t kCardFieldSize = 64;  // each field holds at most 63 characters
inline constexpr size_t kCardNameComponents = 5;
inline constexpr size_t kCardNumberSlots = 10;

using CardField = std::array<char, kCardFieldSize>;

// A parsed card, all zero before parsing. Name component 0 holds the FN
// value, or the N components in order: family name, given name, further
// names, prefix, suffix. The numbers are the TEL values in order of
// appearance; an empty TEL value leaves its slot empty.
struct BusinessCardFields {
  std::array<CardField, kCardNameComponents> names{};
  std::array<CardField, kCardNumberSlots> numbers{};
};

// The card text for a contact, lines ended by CR LF: BEGIN:VCARD,
// VERSION:2.1, "N;ISO-8859-1:" and the name, "TEL:" and the number,
// END:VCARD. Nothing is escaped or encoded.
std::string BuildBusinessCard(std::string_view name, std::string_view number);

// Parses a received card text (Windows-1252 bytes; the text ends at its
// first zero byte). None when it has neither an FN nor an N line after the
// start position: such a card is dropped without a message. Never reads past
// `text`; values are cut to 63 characters.
std::optional<BusinessCardFields> ParseBusinessCardText(std::string_view text);

}  // namespace zeph
