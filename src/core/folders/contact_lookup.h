#pragma once
// How numbers are shown and matched against the SIM contacts. Numbers are
// matched by their last six characters, so the international form of a
// number (+44...) and its national form (0...) find the same contact.

#include <string>
#include <string_view>

#include "core/store/app_lists.h"

namespace zeph {

inline constexpr size_t kMatchKeyLength = 6;

// The last six characters of `number`, or the whole number when it has six
// or fewer.
std::string MatchKey(std::string_view number);

// Whether `number` contains `key` anywhere. An empty key matches nothing:
// a message without a number belongs to no contact and no chat.
bool NumberContainsKey(std::string_view number, std::string_view key);

// The name of the first contact whose number contains the match key of
// `number`, or `number` itself when none does. Used for every number shown
// in the message folders, the chat's partner name and the composer's
// recipients.
std::string ContactNameLookup(std::string_view number, const ContactList& contacts);

// The name a folder sorts a record by: the name of the first contact whose
// number equals `number` exactly, else the number. (A row may thus show a
// contact's name and sort by its number.)
std::string SortNameOf(std::string_view number, const ContactList& contacts);

}  // namespace zeph
