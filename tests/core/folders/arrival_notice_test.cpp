#include "core/folders/arrival_notice.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/records.h"

namespace zeph {
namespace {

using testing::At;
using testing::Message;

Arrival Took(const std::string& number, const std::string& text, uint32_t flags = 0,
             bool filed = true) {
  return ArrivalOf(*Message(number, text, At(2026, 12, 6, 15, 0), flags), filed);
}

TEST(ArrivalNoticeTest, SaysWhoAndWhatForOneArrivalHowManyForSeveralAndTheUnreadCount) {
  ContactList contacts;
  contacts.Add(testing::Contact("Anna Berg", "07700900123"));
  const std::string longLine(120, 'x');
  struct Case {
    std::vector<Arrival> arrivals;
    const char* title;
    std::string body;
    int select;  // index into arrivals, -1: none
  };
  const Case cases[] = {
      {{Took("+447700900123", "See you\r\nat eight")}, "Anna Berg", "See you", 0},
      {{Took("+15550105", "Are you coming?")}, "+15550105", "Are you coming?", 0},
      {{Took("+15550105", longLine)}, "+15550105", longLine.substr(0, 100) + "...", 0},
      {{Took("+15550105", "", MRF_PICTURE)}, "+15550105", "Picture message", 0},
      {{Took("+15550105", "BEGIN:VCARD", MRF_BUSINESSCARD, false)},
       "+15550105",
       "Business card",
       -1},
      {{Took("+447700900123", "One"), Took("+15550105", "Two"), Took("+447700900123", "Three"),
        Took("+15550105", "BEGIN:VCARD", MRF_BUSINESSCARD, false)},
       "4 new messages",
       "Anna Berg, +15550105",
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const std::optional<ArrivalNotice> notice = ComposeArrivalNotice(c.arrivals, contacts);
    ASSERT_TRUE(notice);
    const std::optional<MessageKey> select =
        c.select < 0 ? std::nullopt : std::optional(c.arrivals[static_cast<size_t>(c.select)].key);
    EXPECT_EQ(std::tuple(notice->title, notice->body, notice->select),
              std::tuple(c.title, c.body, select));
  }
  EXPECT_FALSE(ComposeArrivalNotice({}, contacts));
  EXPECT_EQ(NameWithUnreadCount("Inbox", 0), "Inbox");
  EXPECT_EQ(NameWithUnreadCount("Inbox", 3), "Inbox (3)");
}

TEST(ArrivalNoticeTest, WithdrawnOnceEveryFiledMessageWasReadOrLeftTheInbox) {
  MessageList inbox;
  inbox.Add(Message("+15550105", "One", At(2026, 12, 6, 15, 0)));
  inbox.Add(Message("+15550106", "Two", At(2026, 12, 6, 15, 1)));
  inbox.Add(Message("+15550105", "One", At(2026, 12, 6, 15, 0)));  // the same key again
  const MessageKey one = KeyOf(*inbox.GetAt(0));
  const MessageKey two = KeyOf(*inbox.GetAt(1));
  EXPECT_EQ(FindMessage(inbox, one), 2);  // the later copy: the one the pass filed
  EXPECT_EQ(FindMessage(inbox, MessageKey{"+15550105", {}, "One"}), -1);

  ArrivalNotice notice = *ComposeArrivalNotice(
      {ArrivalOf(*inbox.GetAt(0), true), ArrivalOf(*inbox.GetAt(1), true)}, ContactList{});
  EXPECT_FALSE(MarkRead(notice, MessageKey{"+15550107", {}, "Other"}));
  EXPECT_FALSE(MarkRead(notice, one));
  EXPECT_FALSE(ForgetGone(notice, inbox));
  (void)inbox.RemoveAt(1);
  EXPECT_TRUE(ForgetGone(notice, inbox));  // "Two" deleted: nothing left to wait for
  EXPECT_FALSE(MarkRead(notice, two));     // and no second withdrawal

  // A business card alone waits for nothing: only a click or the service
  // ends its notice.
  ArrivalNotice card =
      *ComposeArrivalNotice({Took("+15550105", "BEGIN:VCARD", MRF_BUSINESSCARD, false)}, {});
  EXPECT_FALSE(ForgetGone(card, inbox));
}

}  // namespace
}  // namespace zeph
