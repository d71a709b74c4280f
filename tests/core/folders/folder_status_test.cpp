#include "core/folders/folder_status.h"

#include <gtest/gtest.h>

#include "core/store/message_record.h"

namespace zeph {
namespace {

TEST(FolderIconTest, FirstMatchingRuleWins) {
  for (auto [flags, icon] : {std::pair{0u, kInboxUnread},
                             {MRF_LISTED, kInboxUnread},
                             {MRF_READ, kInboxRead},
                             {MRF_READ | MRF_REPLIED, kInboxReplied},
                             {MRF_FORWARDED, kInboxForwarded},
                             {MRF_FORWARDED | MRF_REPLIED | MRF_READ, kInboxRepliedAndForwarded},
                             {MRF_PICTURE | MRF_FORWARDED | MRF_REPLIED, kInboxPicture}})
    EXPECT_EQ(InboxIconOf(flags), icon) << flags;
  EXPECT_EQ(SentIconOf(MRF_SENDING), kSentPlain);
  EXPECT_EQ(SentIconOf(MRF_FORWARDED), kSentForwarded);
  EXPECT_EQ(SentIconOf(MRF_FORWARDED | MRF_PICTURE), kSentPicture);  // picture wins
}

TEST(StatusTextTest, DeliveryReportsAndOutbox) {
  EXPECT_EQ(ReportStatusText(MRF_REPORT | MRF_REPORT_FAILED | MRF_REPORT_PENDING), "Failed");
  EXPECT_EQ(ReportStatusText(MRF_REPORT | MRF_REPORT_PENDING | MRF_REPORT_DELIVERED), "Pending");
  EXPECT_EQ(ReportStatusText(MRF_REPORT | MRF_REPORT_DELIVERED), "Delivered");
  EXPECT_EQ(ReportStatusText(MRF_WAITING | MRF_SENDING), "Pending");
  EXPECT_EQ(OutboxStatusStringId(MRF_OUTGOING), 0);
}

}  // namespace
}  // namespace zeph
