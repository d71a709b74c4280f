#pragma once
// The two text encodings a received business card may use for its name:
// quoted-printable and UTF-8.

#include <span>
#include <string_view>

namespace zeph {

// Copies `text` to `out`, replacing each "=" followed by two hexadecimal
// digits (either case) by the byte of that value; every other character,
// a lone "=" included, is copied unchanged. `out` is cleared to zeros first
// and receives at most its size less one byte, so it is always terminated.
// The result is 1.
int DecodeQuotedPrintable(std::string_view text, std::span<char> out);

// Decodes UTF-8 `text` into UCS-2 characters: one-, two- and three-byte
// sequences (the value as the bits give it, overlong forms included). The
// walk ends at a zero byte, at the end of `text`, or when `out` holds its
// size less one character; a zero character follows what was decoded. The
// result is 1 when the walk ended that way, 0 at the first byte that starts
// no sequence, a missing continuation byte or a four-byte sequence (what was
// decoded before it stays in `out`, terminated). An empty `out` gives 0.
int DecodeUtf8(std::string_view text, std::span<char16_t> out);

}  // namespace zeph
