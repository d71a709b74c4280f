#pragma once
// What the Contacts windows make out of a contact: the order of the rows
// that show the Contacts list, the record a chat with a contact starts
// from, and a contact sent as a business card.

#include <memory>
#include <string_view>
#include <vector>

#include "core/store/app_lists.h"

namespace zeph {

// Orders `keys` (indices into `contacts`) by the Contacts compare
// operation under `sortCode` (1/2 name, 5/6 number). Equal entries keep
// their order; keys outside the list go last, in their order.
void SortContactRows(std::vector<int>& keys, const ContactList& contacts, int sortCode);

// The record a chat with the contact at `number` starts from: a copy (time,
// flags, first number, text, picture) of the last Inbox record whose first
// number equals `number` exactly, else a scratch record holding only the
// number.
std::unique_ptr<MessageRecord> ContactChatSeed(const MessageList& inbox, std::string_view number);

// The Outbox record of a contact sent as a business card to `recipient`
// (its first 23 characters): the card text of `name` and `number`, flags
// MRF_BUSINESSCARD and MRF_WAITING, time `now`. The queue id is given when
// it is queued.
std::unique_ptr<MessageRecord> BusinessCardRecord(std::string_view name, std::string_view number,
                                                  std::string_view recipient,
                                                  const RecordTime& now);

}  // namespace zeph
