#pragma once
// Bytes as lowercase hex digits: the card service's state file and control
// connection carry blocks and pictures this way, and the store tool prints
// pictures the same way.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zeph {

std::string ToHex(std::span<const uint8_t> bytes);

// The bytes of `hex`, in either case; none when its length is odd or a
// character is not a hex digit.
std::optional<std::vector<uint8_t>> FromHex(std::string_view hex);

}  // namespace zeph
