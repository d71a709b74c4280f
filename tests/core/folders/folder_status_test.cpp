#include "core/folders/folder_status.h"

#include <gtest/gtest.h>

#include "core/folders/report_excerpt.h"
#include "core/store/message_record.h"
#include "support/records.h"

namespace zeph {
namespace {

TEST(InboxIconTest, FirstMatchingRuleWins) {
  EXPECT_EQ(InboxIconOf(0), kInboxUnread);
  EXPECT_EQ(InboxIconOf(MRF_LISTED), kInboxUnread);
  EXPECT_EQ(InboxIconOf(MRF_READ), kInboxRead);
  EXPECT_EQ(InboxIconOf(MRF_READ | MRF_REPLIED), kInboxReplied);
  EXPECT_EQ(InboxIconOf(MRF_FORWARDED), kInboxForwarded);
  EXPECT_EQ(InboxIconOf(MRF_FORWARDED | MRF_REPLIED | MRF_READ), kInboxRepliedAndForwarded);
  EXPECT_EQ(InboxIconOf(MRF_PICTURE | MRF_FORWARDED | MRF_REPLIED), kInboxPicture);
}

TEST(SentIconTest, PictureWinsOverForwarded) {
  EXPECT_EQ(SentIconOf(MRF_SENDING), kSentPlain);
  EXPECT_EQ(SentIconOf(MRF_FORWARDED), kSentForwarded);
  EXPECT_EQ(SentIconOf(MRF_FORWARDED | MRF_PICTURE), kSentPicture);
}

TEST(StatusTextTest, DeliveryReportsAndOutbox) {
  EXPECT_EQ(ReportStatusText(MRF_REPORT | MRF_REPORT_FAILED | MRF_REPORT_PENDING), "Failed");
  EXPECT_EQ(ReportStatusText(MRF_REPORT | MRF_REPORT_PENDING | MRF_REPORT_DELIVERED), "Pending");
  EXPECT_EQ(ReportStatusText(MRF_REPORT | MRF_REPORT_DELIVERED), "Delivered");
  EXPECT_EQ(ReportStatusText(MRF_WAITING | MRF_SENDING), "Pending");
  EXPECT_EQ(OutboxStatusStringId(MRF_OUTGOING), 0);
}

TEST(ReportExcerptTest, EighteenCharactersAndEllipsis) {
  auto longer = testing::Message("1", "abcdefghijklmnopqrstuvwxyz0");  // 27 characters
  EXPECT_EQ(ReportExcerpt(*longer), "abcdefghijklmnopqr...");
  auto shorter = testing::Message("1", "Hello");
  EXPECT_EQ(ReportExcerpt(*shorter), "Hello...");
  auto lines = testing::Message("1", "a\r\nb\tc");
  EXPECT_EQ(ReportExcerpt(*lines), "a  b c...");
  auto card = testing::Message("1", "BEGIN:VCARD\r\n", {}, MRF_BUSINESSCARD);
  EXPECT_EQ(ReportExcerpt(*card), "Business Card");
}

}  // namespace
}  // namespace zeph
