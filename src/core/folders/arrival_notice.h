#pragma once
// What a desktop notice says about the messages one reception pass took,
// which Inbox message a click on it selects, and when it is withdrawn; and
// the unread count beside the Inbox's name.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/app_lists.h"
#include "core/store/message_record.h"

namespace zeph {

// An Inbox message found again across reloads. The store file keeps no ids,
// so a message is known by its sender, its time and its text.
struct MessageKey {
  std::string number;
  RecordTime time;
  std::string text;
  bool operator==(const MessageKey&) const = default;
};

MessageKey KeyOf(const MessageRecord& record);

// The index of the last Inbox record with `key`, or -1.
int FindMessage(const MessageList& inbox, const MessageKey& key);

// One message a reception pass took for the user: filed in the Inbox, or a
// business card, which is shown at once and never filed. Delivery reports
// are not arrivals.
struct Arrival {
  MessageKey key;
  uint32_t flags = 0;
  bool filed = false;
};

Arrival ArrivalOf(const MessageRecord& record, bool filed);

// Windows-1252 texts, as the records hold them.
struct ArrivalNotice {
  // One arrival: the sender (the contact's name when known, else the
  // number). Several: "3 new messages".
  std::string title;
  // One arrival: the first line of its text, "Picture message" or
  // "Business card". Several: their senders, each once, in arrival order.
  std::string body;
  // What a click selects: the last message of the pass that was filed.
  std::optional<MessageKey> select;
  // The filed messages not read yet; the notice is withdrawn when the last
  // of them is read or gone.
  std::vector<MessageKey> unread;
};

// A first line longer than this is cut, and "..." added: a notice is a
// glance, and the Inbox shows the whole text.
inline constexpr size_t kNoticeLineLimit = 100;

// None for a pass that took nothing.
std::optional<ArrivalNotice> ComposeArrivalNotice(const std::vector<Arrival>& arrivals,
                                                  const ContactList& contacts);

// The message with `key` was read. True when this read the last one the
// notice was waiting for: the notice is to be withdrawn.
bool MarkRead(ArrivalNotice& notice, const MessageKey& key);

// Forgets the messages no longer in the Inbox (deleted, or replaced). True
// when that left the notice nothing to wait for.
bool ForgetGone(ArrivalNotice& notice, const MessageList& inbox);

// "Inbox (3)"; `name` alone with no unread message.
std::string NameWithUnreadCount(std::string_view name, int unread);

}  // namespace zeph
