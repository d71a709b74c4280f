#include "core/devicelink/phonebook_reply.h"

#include <algorithm>

#include "core/devicelink/result_codes.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"
#include "core/util/fixed_text.h"

namespace zeph {

uint32_t ParsePhonebookReply(std::span<const uint8_t> reply, ContactList& contacts) {
  if (reply.size() < wire::kPhonebookReplyLength) return kResultShortReply;
  size_t count =
      std::min<size_t>(ReadU16(&reply[wire::kPhonebookCountOffset]), wire::kPhonebookSlots);
  ContactList read;
  read.Reserve(static_cast<int>(count));
  for (size_t i = 0; i < count; ++i) {
    auto entry = std::make_unique<ContactEntry>();
    entry->location = ReadU16(&reply[wire::kPhonebookLocationsOffset + 2 * i]);
    auto name = reply.subspan(wire::kPhonebookNamesOffset + wire::kPhonebookNameSize * i,
                              wire::kPhonebookNameSize);
    SetFieldText(entry->name, NarrowContactName(name, wire::kMaxContactName));
    const uint8_t* number = &reply[wire::kPhonebookNumbersOffset + wire::kNumberFieldSize * i];
    std::string text = BoundedText(number, wire::kNumberFieldSize);
    SetFieldText(entry->number, std::string_view(text).substr(0, wire::kMaxNumberLength));
    read.Add(std::move(entry));
  }
  contacts = std::move(read);
  return kResultOk;
}

std::array<uint8_t, 42> WidenContactName(std::string_view name) {
  std::array<uint8_t, 42> field{};
  size_t n = std::min(name.size(), wire::kMaxContactName);
  for (size_t i = 0; i < n; ++i) {
    auto unit = static_cast<uint16_t>(static_cast<int16_t>(static_cast<signed char>(name[i])));
    WriteU16(&field[2 * i], unit);
  }
  return field;
}

std::string NarrowContactName(std::span<const uint8_t> field, size_t maxCharacters) {
  std::string name;
  for (size_t i = 0; i + 1 < field.size() && name.size() < maxCharacters; i += 2) {
    uint16_t unit = ReadU16(&field[i]);
    if ((unit & 0xFF) == 0) break;  // the 8-bit name ends where a low byte is 0
    name.push_back(static_cast<char>(unit & 0xFF));
  }
  return name;
}

}  // namespace zeph
