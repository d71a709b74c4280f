#include "core/folders/sort_order.h"

#include <gtest/gtest.h>

#include "support/records.h"

namespace zeph {
namespace {

using testing::At;
using testing::Contact;
using testing::Message;

TEST(NextSortCodeTest, ColumnClicksToggleAndAnotherColumnStartsAscending) {
  int code = kSortNone;
  code = NextSortCode(code, kSortNameAscending);
  EXPECT_EQ(code, kSortNameAscending);
  code = NextSortCode(code, kSortNameAscending);
  EXPECT_EQ(code, kSortNameDescending);
  code = NextSortCode(code, kSortNameAscending);
  EXPECT_EQ(code, kSortNameAscending);
  code = NextSortCode(kSortNameDescending, kSortTimeAscending);
  EXPECT_EQ(code, kSortTimeAscending);
}

TEST(CompareRecordsTest, NamesByExactContactMatchIgnoringCase) {
  ContactList contacts;
  contacts.Add(Contact("zoe", "0111"));
  auto toZoe = Message("0111", "");
  auto toNumber = Message("+44999", "");
  // "zoe" sorts after "+44999"; descending negates.
  EXPECT_GT(CompareRecords(*toZoe, *toNumber, kSortNameAscending, contacts), 0);
  EXPECT_LT(CompareRecords(*toZoe, *toNumber, kSortNameDescending, contacts), 0);

  contacts.Add(Contact("ZOE", "0222"));
  auto toZoeUpper = Message("0222", "");
  EXPECT_EQ(CompareRecords(*toZoe, *toZoeUpper, kSortNameAscending, contacts), 0);
}

TEST(CompareRecordsTest, TimesAsAbsoluteValues) {
  ContactList contacts;
  auto early = Message("1", "", At(2002, 12, 31, 23, 59));
  auto late = Message("1", "", At(2003, 1, 1, 0, 0));
  EXPECT_EQ(CompareRecords(*early, *late, kSortTimeAscending, contacts), -1);
  EXPECT_EQ(CompareRecords(*early, *late, kSortTimeDescending, contacts), 1);
  EXPECT_EQ(CompareRecords(*early, *early, kSortTimeAscending, contacts), 0);
}

TEST(CompareRecordsTest, TextAndStatusAndUnknownCodes) {
  ContactList contacts;
  auto a = Message("1", "apple");
  auto b = Message("1", "Banana");
  EXPECT_LT(CompareRecords(*a, *b, kSortTextAscending, contacts), 0);
  EXPECT_GT(CompareRecords(*a, *b, kSortTextDescending, contacts), 0);

  auto pendingEntry = Message("1", "x", {}, MRF_SENDING);  // made when sent: "Pending"
  auto delivered = Message("1", "x", {}, MRF_REPORT | MRF_REPORT_DELIVERED);
  auto failed = Message("1", "x", {}, MRF_REPORT | MRF_REPORT_FAILED);
  // "Delivered" < "Failed" < "Pending"
  EXPECT_LT(CompareRecords(*delivered, *failed, kSortStatusAscending, contacts), 0);
  EXPECT_LT(CompareRecords(*failed, *pendingEntry, kSortStatusAscending, contacts), 0);

  for (int code : {0, 5, 6, 11, -1}) EXPECT_EQ(CompareRecords(*a, *b, code, contacts), 0) << code;
}

TEST(CompareContactsTest, NamesAndNumbers) {
  auto anna = Contact("anna", "0999");
  auto bert = Contact("Bert", "0111");
  EXPECT_LT(CompareContacts(*anna, *bert, kSortNameAscending), 0);
  EXPECT_GT(CompareContacts(*anna, *bert, kSortNameDescending), 0);
  EXPECT_GT(CompareContacts(*anna, *bert, kSortNumberAscending), 0);
  EXPECT_LT(CompareContacts(*anna, *bert, kSortNumberDescending), 0);
  EXPECT_EQ(CompareContacts(*anna, *bert, kSortTimeAscending), 0);
}

TEST(CompareIgnoringCaseTest, AccentedCapitalsFold) {
  EXPECT_EQ(CompareIgnoringCase("\xC9MILE", "\xE9mile"), 0);
  EXPECT_LT(CompareIgnoringCase("ab", "abc"), 0);
  EXPECT_EQ(CompareIgnoringCase("", ""), 0);
}

}  // namespace
}  // namespace zeph
