#pragma once
// Sorting the rows of the folder lists by a column. A folder keeps a sort
// code; clicking a column toggles between its ascending and descending code.
// Sorting reorders rows only: the list keeps its order.

#include <string_view>

#include "core/store/app_lists.h"

namespace zeph {

enum SortCode : int {
  kSortNone = 0,
  kSortNameAscending = 1,
  kSortNameDescending = 2,
  kSortTimeAscending = 3,
  kSortTimeDescending = 4,
  kSortNumberAscending = 5,  // Contacts only
  kSortNumberDescending = 6,
  kSortTextAscending = 7,
  kSortTextDescending = 8,
  kSortStatusAscending = 9,  // Delivery reports
  kSortStatusDescending = 10,
};

// The code after a click on a column whose ascending code is `ascending`:
// descending when the folder is sorted ascending by that column already,
// else ascending.
int NextSortCode(int current, int ascending);

// Compares two Windows-1252 texts without regard to case: negative, 0 or
// positive.
int CompareIgnoringCase(std::string_view a, std::string_view b);

// The compare operation of the message folders: name (1/2, by SortNameOf),
// time (3/4, as absolute times), text (7/8), delivery status text (9/10).
// Even codes negate; any other code gives 0.
int CompareRecords(const MessageRecord& a, const MessageRecord& b, int sortCode,
                   const ContactList& contacts);

// The compare operation of Contacts: names (1/2) or numbers (5/6), without
// regard to case; any other code gives 0.
int CompareContacts(const ContactEntry& a, const ContactEntry& b, int sortCode);

}  // namespace zeph
