#include "core/folders/contact_lookup.h"

#include <gtest/gtest.h>

#include "support/records.h"

namespace zeph {
namespace {

using testing::Contact;

TEST(ContactNameLookupTest, LastSixDigitsMatchInternationalAndNationalForms) {
  ContactList contacts;
  contacts.Add(Contact("Anna", "07700900123"));
  EXPECT_EQ(ContactNameLookup("+447700900123", contacts), "Anna");
  EXPECT_EQ(ContactNameLookup("+447700900124", contacts), "+447700900124");
}

TEST(ContactNameLookupTest, ShortNumbersMustBeContainedWhole) {
  ContactList contacts;
  contacts.Add(Contact("Voicemail", "1234567"));
  EXPECT_EQ(ContactNameLookup("23456", contacts), "Voicemail");
  EXPECT_EQ(ContactNameLookup("12348", contacts), "12348");
}

TEST(ContactNameLookupTest, FirstMatchingContactWinsAndEmptyListGivesTheNumber) {
  ContactList contacts;
  EXPECT_EQ(ContactNameLookup("+447700900123", contacts), "+447700900123");
  contacts.Add(Contact("Work", "+441900123"));
  contacts.Add(Contact("Home", "0900123"));
  EXPECT_EQ(ContactNameLookup("900123", contacts), "Work");
}

TEST(ContactNameLookupTest, EmptyNumberMatchesNoContact) {
  ContactList contacts;
  contacts.Add(Contact("Anna", "07700900123"));
  EXPECT_EQ(ContactNameLookup("", contacts), "");
  EXPECT_FALSE(NumberContainsKey("07700900123", ""));
}

TEST(SortNameTest, NeedsAnExactNumber) {
  ContactList contacts;
  contacts.Add(Contact("Anna", "07700900123"));
  EXPECT_EQ(SortNameOf("07700900123", contacts), "Anna");
  // Shown as Anna in the list, sorted by its number.
  EXPECT_EQ(SortNameOf("+447700900123", contacts), "+447700900123");
}

TEST(MatchKeyTest, LastSixOrWhole) {
  EXPECT_EQ(MatchKey("+447700900123"), "900123");
  EXPECT_EQ(MatchKey("12345"), "12345");
  EXPECT_EQ(MatchKey("123456"), "123456");
}

}  // namespace
}  // namespace zeph
