#include "core/folders/sim_contacts.h"

#include <memory>

#include "core/codecs/business_card_choices.h"
#include "core/devicelink/device_requests.h"
#include "core/devicelink/result_codes.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

std::unique_ptr<ContactEntry> MakeEntry(uint16_t location, std::string_view name,
                                        std::string_view number) {
  auto entry = std::make_unique<ContactEntry>();
  entry->location = location;
  SetFieldText(entry->name, name.substr(0, kSimNameLength));
  SetFieldText(entry->number, number.substr(0, kSimNumberLength));
  return entry;
}

bool HasEntry(const ContactList& contacts, const ContactEntry& wanted) {
  const std::string name = FieldText(wanted.name);
  const std::string number = FieldText(wanted.number);
  for (const ContactEntry& entry : contacts) {
    if (FieldText(entry.name) == name && FieldText(entry.number) == number) return true;
  }
  return false;
}

}  // namespace

int AddSimContact(Pipe* pipe, const ContactEntry& entry) {
  if (pipe == nullptr) return -1;
  uint16_t location = 0;
  if (AddPhonebookEntry(*pipe, FieldText(entry.name), FieldText(entry.number), location) !=
      kResultOk) {
    return -1;
  }
  return location;
}

uint32_t UpdateSimContact(Pipe* pipe, const ContactEntry& entry) {
  if (pipe == nullptr) return kIpcNotConnected;
  return ReplacePhonebookEntry(*pipe, entry.location, FieldText(entry.name),
                               FieldText(entry.number));
}

uint32_t DeleteSimContact(Pipe* pipe, uint16_t location) {
  if (pipe == nullptr) return kIpcNotConnected;
  return DeletePhonebookEntry(*pipe, location);
}

uint32_t GetNameLimit(Pipe* pipe) {
  if (pipe == nullptr) return kFallbackNameLimit;
  std::array<uint8_t, wire::kLimitsReplyLength> reply{};
  if (ReadPhonebookLimits(*pipe, reply) != kResultOk) return kFallbackNameLimit;
  return NameLimitOf(reply);
}

ContactSaveOutcome SaveContactInformation(Pipe* pipe, ContactList& contacts,
                                          const ContactEdit& edit, std::string_view name,
                                          std::string_view number) {
  name = name.substr(0, kContactFieldReadLength);
  number = number.substr(0, kContactFieldReadLength);
  // A single letter with a short code is taken for a slip of the hand.
  if (name.size() <= 1 && number.size() <= 2) return ContactSaveOutcome::kTooShort;

  if (edit.editing) {
    auto entry = MakeEntry(edit.location, name, number);
    if (contacts.GetAt(edit.index) == nullptr || UpdateSimContact(pipe, *entry) != kResultOk) {
      return ContactSaveOutcome::kUpdateRefused;
    }
    static_cast<void>(contacts.ReplaceAt(edit.index, std::move(entry)));  // the index was checked
    return ContactSaveOutcome::kUpdated;
  }

  auto entry = MakeEntry(0, name, number);
  if (HasEntry(contacts, *entry)) return ContactSaveOutcome::kDuplicate;
  const int location = AddSimContact(pipe, *entry);
  if (location < 0) return ContactSaveOutcome::kAddRefused;
  entry->location = static_cast<uint16_t>(location);
  contacts.Add(std::move(entry));
  return ContactSaveOutcome::kAdded;
}

uint32_t RemoveContact(Pipe* pipe, ContactList& contacts, int index) {
  const ContactEntry* entry = contacts.GetAt(index);
  if (entry == nullptr) return kResultBadRequest;
  const uint32_t result = DeleteSimContact(pipe, entry->location);
  static_cast<void>(contacts.RemoveAt(index));  // the index was checked
  return result;
}

CardSaveResult SaveCardNumbers(Pipe* pipe, ContactList& contacts, std::string_view name,
                               const std::vector<std::string>& numbers) {
  CardSaveResult result;
  name = name.substr(0, kSavedCardNameLength);
  for (const std::string& number : numbers) {
    const std::optional<std::string> cleaned = CleanCardNumberForSaving(number);
    if (!cleaned) {
      result.failed = true;
      return result;
    }
    // The list keeps what the card keeps: the number's first 22 characters.
    auto entry = MakeEntry(0, name, *cleaned);
    const int location = AddSimContact(pipe, *entry);
    if (location < 0) {
      result.failed = true;
      return result;
    }
    entry->location = static_cast<uint16_t>(location);
    contacts.Add(std::move(entry));
    ++result.saved;
  }
  return result;
}

}  // namespace zeph
