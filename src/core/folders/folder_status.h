#pragma once
// What each folder shows for a record: its icon and its status text.

#include <cstdint>
#include <string_view>

namespace zeph {

// Inbox image indices, in the order of the Inbox image list.
enum InboxIcon : int {
  kInboxUnread = 0,
  kInboxRead = 1,
  kInboxReplied = 2,
  kInboxForwarded = 3,
  kInboxRepliedAndForwarded = 4,
  kInboxPicture = 5,
};

// First rule that matches: picture; forwarded (with replied, or alone);
// replied; read; otherwise unread.
int InboxIconOf(uint32_t flags);

enum SentIcon : int { kSentPlain = 0, kSentForwarded = 1, kSentPicture = 2 };

// A picture message keeps the picture icon even when forwarded.
int SentIconOf(uint32_t flags);

// The Delivery reports status: "Failed", "Pending", "Delivered", or
// "Pending" for an entry made when the message was sent.
int ReportStatusStringId(uint32_t flags);
std::string_view ReportStatusText(uint32_t flags);

// The Outbox status: "Sending...", "Waiting", "Failed"; 0 (no text) for a
// record in none of the three states.
int OutboxStatusStringId(uint32_t flags);

}  // namespace zeph
