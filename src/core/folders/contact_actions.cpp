#include "core/folders/contact_actions.h"

#include <algorithm>

#include "core/codecs/business_card.h"
#include "core/folders/sort_order.h"

namespace zeph {

void SortContactRows(std::vector<int>& keys, const ContactList& contacts, int sortCode) {
  std::stable_sort(keys.begin(), keys.end(), [&contacts, sortCode](int a, int b) {
    const ContactEntry* first = contacts.GetAt(a);
    const ContactEntry* second = contacts.GetAt(b);
    if (first == nullptr || second == nullptr) return first != nullptr && second == nullptr;
    return CompareContacts(*first, *second, sortCode) < 0;
  });
}

std::unique_ptr<MessageRecord> ContactChatSeed(const MessageList& inbox, std::string_view number) {
  for (int i = inbox.Count() - 1; i >= 0; --i) {
    const MessageRecord* record = inbox.GetAt(i);
    if (FirstNumber(*record) != number) continue;
    auto seed = CreateMessageRecord();
    seed->time = record->time;
    seed->flags = record->flags;
    AddNumber(*seed, number);
    seed->text = record->text;
    seed->picture = record->picture;
    return seed;
  }
  auto scratch = CreateMessageRecord();
  AddNumber(*scratch, number);
  return scratch;
}

std::unique_ptr<MessageRecord> BusinessCardRecord(std::string_view name, std::string_view number,
                                                  std::string_view recipient,
                                                  const RecordTime& now) {
  auto record = CreateMessageRecord();
  record->time = now;
  record->text = BuildBusinessCard(name, number);
  AddNumber(*record, recipient);
  record->flags = MRF_BUSINESSCARD | MRF_WAITING;
  return record;
}

}  // namespace zeph
