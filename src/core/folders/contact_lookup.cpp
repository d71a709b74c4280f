#include "core/folders/contact_lookup.h"

#include "core/util/fixed_text.h"

namespace zeph {

std::string MatchKey(std::string_view number) {
  if (number.size() > kMatchKeyLength) number.remove_prefix(number.size() - kMatchKeyLength);
  return std::string(number);
}

bool NumberContainsKey(std::string_view number, std::string_view key) {
  // Windows-1252 is a single-byte code page, so a byte search is the
  // multibyte-aware search.
  return !key.empty() && number.find(key) != std::string_view::npos;
}

std::string ContactNameLookup(std::string_view number, const ContactList& contacts) {
  const std::string key = MatchKey(number);
  for (const ContactEntry& contact : contacts) {
    if (NumberContainsKey(FieldText(contact.number), key)) return FieldText(contact.name);
  }
  return std::string(number);
}

std::string SortNameOf(std::string_view number, const ContactList& contacts) {
  for (const ContactEntry& contact : contacts) {
    if (FieldText(contact.number) == number) return FieldText(contact.name);
  }
  return std::string(number);
}

}  // namespace zeph
