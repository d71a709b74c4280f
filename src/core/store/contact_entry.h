#pragma once
// One SIM phonebook entry.

#include <array>
#include <cstdint>

namespace zeph {

inline constexpr size_t kContactFieldSize = 24;

struct ContactEntry {
  uint16_t location = 0;  // the entry's record number on the SIM, given by the card
  std::array<char, kContactFieldSize>
      name{};  // zero-terminated, at most 20 characters from the SIM
  std::array<char, kContactFieldSize> number{};  // zero-terminated, at most 22 characters
};

}  // namespace zeph
