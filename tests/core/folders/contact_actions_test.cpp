#include "core/folders/contact_actions.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/codecs/business_card.h"
#include "core/folders/sort_order.h"
#include "support/records.h"

namespace zeph {
namespace {

using testing::At;
using testing::Contact;
using testing::Message;

TEST(SortContactRowsTest, ByNameOrNumberIgnoringCaseEqualsKeepTheirOrder) {
  ContactList contacts;
  contacts.Add(Contact("bob", "+300"));
  contacts.Add(Contact("Anna", "+200"));
  contacts.Add(Contact("Carl", "+100"));
  contacts.Add(Contact("BOB", "+400"));
  struct Case {
    int code;
    std::vector<int> order;
  };
  const Case cases[] = {
      {kSortNameAscending, {1, 0, 3, 2}},
      {kSortNameDescending, {2, 0, 3, 1}},
      {kSortNumberAscending, {2, 1, 0, 3}},
      {kSortNumberDescending, {3, 0, 1, 2}},
      {kSortNone, {0, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    std::vector<int> keys{0, 1, 2, 3};
    SortContactRows(keys, contacts, c.code);
    EXPECT_EQ(keys, c.order) << c.code;
  }
  std::vector<int> withStale{9, 2, 1};  // a key the list no longer has goes last
  SortContactRows(withStale, contacts, kSortNameAscending);
  EXPECT_EQ(withStale, (std::vector<int>{1, 2, 9}));
}

TEST(ContactChatSeedTest, CopiesTheLastInboxRecordFromExactlyThatNumber) {
  MessageList inbox;
  inbox.Add(Message("+15550101", "first", At(2026, 1, 1, 9, 0), MRF_READ));
  inbox.Add(Message("+15550101", "last", At(2026, 1, 2, 9, 0), MRF_READ | MRF_REPLIED));
  inbox.Add(Message("0015550101", "same six digits, another number", At(2026, 1, 3, 9, 0)));
  const auto seed = ContactChatSeed(inbox, "+15550101");
  EXPECT_EQ(std::tuple(TextOf(*seed), seed->flags, seed->time, FirstNumber(*seed)),
            std::tuple("last", MRF_READ | MRF_REPLIED, At(2026, 1, 2, 9, 0), "+15550101"));

  const auto bare = ContactChatSeed(inbox, "+15550199");
  EXPECT_EQ(
      std::tuple(FirstNumber(*bare), bare->numbers.Count(), bare->flags, bare->text.has_value()),
      std::tuple("+15550199", 1, 0u, false));
}

TEST(BusinessCardRecordTest, WaitsInTheOutboxAsACardToTheRecipient) {
  const auto record = BusinessCardRecord("Anna Berg", "+15550101", "+4917012345678901234567890",
                                         At(2026, 5, 1, 8, 30));
  EXPECT_EQ(std::tuple(record->flags, TextOf(*record), FirstNumber(*record), record->time,
                       record->picture.has_value()),
            std::tuple(MRF_BUSINESSCARD | MRF_WAITING, BuildBusinessCard("Anna Berg", "+15550101"),
                       "+4917012345678901234567", At(2026, 5, 1, 8, 30), false));  // 23 characters
}

}  // namespace
}  // namespace zeph
