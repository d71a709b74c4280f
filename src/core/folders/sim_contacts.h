#pragma once
// The SIM phonebook as the Contacts windows change it. Every change is
// written to the SIM first and mirrored in the program's Contacts list only
// when the card took it (a delete excepted: the entry goes whatever the card
// says). All requests go over the user-interface thread's pipe; a missing
// pipe counts as a card service that does not answer.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/devicelink/pipe.h"
#include "core/store/app_lists.h"

namespace zeph {

// The name field's limit when the SIM does not tell its own.
inline constexpr uint32_t kFallbackNameLimit = 19;
// What the entry requests carry: 20 name characters (21 UTF-16 units with
// the terminator) and 22 number characters.
inline constexpr size_t kSimNameLength = 20;
inline constexpr size_t kSimNumberLength = 22;
// The Contact Information fields are read with this many characters at most.
inline constexpr size_t kContactFieldReadLength = 23;

// 0x2A0003: the location the card gave the new entry, or -1 when it refused.
int AddSimContact(Pipe* pipe, const ContactEntry& entry);
// 0x2A0001 at the entry's location: 0 or the request's code.
uint32_t UpdateSimContact(Pipe* pipe, const ContactEntry& entry);
// 0x2A0004: 0 or the request's code.
uint32_t DeleteSimContact(Pipe* pipe, uint16_t location);
// 0x2C0010: the longest name the SIM takes, kFallbackNameLimit when the
// request fails.
uint32_t GetNameLimit(Pipe* pipe);

// What Contact Information is editing: a new entry, or the entry at `index`
// of the Contacts list, which lives at `location` on the SIM.
struct ContactEdit {
  bool editing = false;
  int index = -1;
  uint16_t location = 0;
};

enum class ContactSaveOutcome {
  kTooShort,       // a name of at most one character with a number of at most two: nothing written
  kDuplicate,      // a new entry equal to an existing one in name and number: nothing written
  kAdded,          // written and appended to the list
  kUpdated,        // written and replaced in the list at the same index
  kAddRefused,     // the card refused the new entry: the list is unchanged
  kUpdateRefused,  // the card refused the change: the old entry stays
};

// Contact Information's OK on the two fields as typed (Windows-1252). Each
// field is read with 23 characters at most; the name is then cut to 20 and
// the number to 22 characters.
ContactSaveOutcome SaveContactInformation(Pipe* pipe, ContactList& contacts,
                                          const ContactEdit& edit, std::string_view name,
                                          std::string_view number);

// Deletes the entry at `index` from the SIM and from the list, whatever the
// card answered; the request's code (nobody needs it). A bad index changes
// nothing and gives kResultBadRequest.
uint32_t RemoveContact(Pipe* pipe, ContactList& contacts, int index);

struct CardSaveResult {
  int saved = 0;        // entries written and appended, in order
  bool failed = false;  // stopped at a number too long or a refused write
};

// Business Card Received's Save: each number, blanks and hyphens removed,
// is written to the SIM as a new entry under `name` (cut to 19 characters)
// and appended to the list. A cleaned number of 24 characters or more, or a
// write the card refuses, stops the saving; what was written before stays.
CardSaveResult SaveCardNumbers(Pipe* pipe, ContactList& contacts, std::string_view name,
                               const std::vector<std::string>& numbers);

}  // namespace zeph
