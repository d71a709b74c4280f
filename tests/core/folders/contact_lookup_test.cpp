#include "core/folders/contact_lookup.h"

#include <gtest/gtest.h>

#include "support/records.h"

namespace zeph {
namespace {

ContactList ContactsOf(std::initializer_list<std::pair<const char*, const char*>> entries) {
  ContactList contacts;
  for (auto [name, number] : entries) contacts.Add(testing::Contact(name, number));
  return contacts;
}

TEST(ContactNameLookupTest, LastSixDigitsOrAShortNumberWholeFirstMatchWins) {
  struct Case {
    ContactList contacts;
    const char* number;
    const char* shown;
  };
  const Case cases[] = {
      {ContactsOf({{"Anna", "07700900123"}}), "+447700900123", "Anna"},
      {ContactsOf({{"Anna", "07700900123"}}), "+447700900124", "+447700900124"},
      {ContactsOf({{"Voicemail", "1234567"}}), "23456", "Voicemail"},
      {ContactsOf({{"Voicemail", "1234567"}}), "12348", "12348"},
      {ContactsOf({{"Work", "+441900123"}, {"Home", "0900123"}}), "900123", "Work"},
      {ContactsOf({{"Anna", "07700900123"}}), "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ContactNameLookup(c.number, c.contacts), c.shown) << c.number;
  EXPECT_FALSE(NumberContainsKey("07700900123", ""));
}

TEST(ContactNameLookupTest, SortNameNeedsAnExactNumberAndTheKeyIsTheLastSix) {
  ContactList contacts = ContactsOf({{"Anna", "07700900123"}});
  EXPECT_EQ(SortNameOf("07700900123", contacts), "Anna");
  // Shown as Anna in the list, sorted by its number.
  EXPECT_EQ(SortNameOf("+447700900123", contacts), "+447700900123");
  EXPECT_EQ(MatchKey("+447700900123"), "900123");
  EXPECT_EQ(MatchKey("12345"), "12345");
}

}  // namespace
}  // namespace zeph
