#include "core/folders/sort_order.h"

#include <gtest/gtest.h>

#include "support/records.h"

namespace zeph {
namespace {

using testing::At;
using testing::Contact;
using testing::Message;

int Sign(int value) {
  return (value > 0) - (value < 0);
}

TEST(NextSortCodeTest, AThirdClickOnTheColumnSortsAscendingAgain) {
  // A first click, a second and another column's: the folder and contacts column click tests.
  EXPECT_EQ(NextSortCode(kSortNameDescending, kSortNameAscending), kSortNameAscending);
}

// Each pair compares the same way ascending and the other way descending.
TEST(CompareRecordsTest, NamesTimesTextsAndStatuses) {
  ContactList contacts;
  contacts.Add(Contact("zoe", "0111"));
  contacts.Add(Contact("ZOE", "0222"));
  auto toZoe = Message("0111", "apple", At(2002, 12, 31, 23, 59));
  auto toZoeUpper = Message("0222", "Banana", At(2003, 1, 1, 0, 0));
  auto toNumber = Message("+44999", "x", {}, MRF_SENDING);  // made when sent: "Pending"
  auto delivered = Message("1", "x", {}, MRF_REPORT | MRF_REPORT_DELIVERED);
  auto failed = Message("1", "x", {}, MRF_REPORT | MRF_REPORT_FAILED);
  struct Case {
    const MessageRecord& a;
    const MessageRecord& b;
    int ascending;  // the sort code of the ascending order
    int sign;
  };
  const Case cases[] = {
      {*toZoe, *toNumber, kSortNameAscending, 1},     // "zoe" after "+44999", names by exact match
      {*toZoe, *toZoeUpper, kSortNameAscending, 0},   // ignoring case
      {*toZoe, *toZoeUpper, kSortTimeAscending, -1},  // across the year's end
      {*toZoe, *toZoe, kSortTimeAscending, 0},
      {*toZoe, *toZoeUpper, kSortTextAscending, -1},    // ignoring case
      {*delivered, *failed, kSortStatusAscending, -1},  // "Delivered" < "Failed" < "Pending"
      {*failed, *toNumber, kSortStatusAscending, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(CompareRecords(c.a, c.b, c.ascending, contacts)), c.sign) << c.ascending;
    EXPECT_EQ(Sign(CompareRecords(c.a, c.b, c.ascending + 1, contacts)), -c.sign) << c.ascending;
  }
  // Times compare as -1, 0 or 1, not as their difference.
  EXPECT_EQ(CompareRecords(*toZoe, *toZoeUpper, kSortTimeAscending, contacts), -1);
  EXPECT_EQ(CompareRecords(*toZoe, *toZoeUpper, kSortTimeDescending, contacts), 1);
  for (int code : {0, 5, 6, 11, -1})
    EXPECT_EQ(CompareRecords(*toZoe, *toZoeUpper, code, contacts), 0) << code;
}

TEST(CompareContactsTest, NamesAndNumbers) {
  auto anna = Contact("anna", "0999");
  auto bert = Contact("Bert", "0111");
  EXPECT_EQ(CompareContacts(*anna, *bert, kSortTimeAscending), 0);  // the others: contact rows
  EXPECT_EQ(CompareIgnoringCase("\xC9MILE", "\xE9mile"), 0);        // accented capitals fold
  EXPECT_LT(CompareIgnoringCase("ab", "abc"), 0);
}

}  // namespace
}  // namespace zeph
