#include "core/folders/arrival_notice.h"

#include <algorithm>

#include "core/folders/contact_lookup.h"

namespace zeph {
namespace {

std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find_first_of("\r\n"));
  if (line.size() > kNoticeLineLimit) line = line.substr(0, kNoticeLineLimit) + "...";
  return line;
}

std::string Excerpt(const Arrival& arrival) {
  if (arrival.flags & MRF_BUSINESSCARD) return "Business card";
  if (arrival.flags & MRF_PICTURE) return "Picture message";
  return FirstLine(arrival.key.text);
}

// Erases the keys `gone` finds; true when that emptied a list that was not
// empty.
template <typename Gone>
bool EraseUnread(ArrivalNotice& notice, const Gone& gone) {
  if (notice.unread.empty()) return false;
  std::erase_if(notice.unread, gone);
  return notice.unread.empty();
}

}  // namespace

MessageKey KeyOf(const MessageRecord& record) {
  return MessageKey{FirstNumber(record), record.time, TextOf(record)};
}

int FindMessage(const MessageList& inbox, const MessageKey& key) {
  for (int i = inbox.Count() - 1; i >= 0; --i) {
    if (KeyOf(*inbox.GetAt(i)) == key) return i;
  }
  return -1;
}

Arrival ArrivalOf(const MessageRecord& record, bool filed) {
  return Arrival{KeyOf(record), record.flags, filed};
}

std::optional<ArrivalNotice> ComposeArrivalNotice(const std::vector<Arrival>& arrivals,
                                                  const ContactList& contacts) {
  if (arrivals.empty()) return std::nullopt;
  ArrivalNotice notice;
  for (const Arrival& arrival : arrivals) {
    if (!arrival.filed) continue;
    notice.select = arrival.key;
    notice.unread.push_back(arrival.key);
  }
  if (arrivals.size() == 1) {
    notice.title = ContactNameLookup(arrivals.front().key.number, contacts);
    notice.body = Excerpt(arrivals.front());
    return notice;
  }
  notice.title = std::to_string(arrivals.size()) + " new messages";
  std::vector<std::string> senders;
  for (const Arrival& arrival : arrivals) {
    std::string sender = ContactNameLookup(arrival.key.number, contacts);
    if (std::find(senders.begin(), senders.end(), sender) != senders.end()) continue;
    if (!senders.empty()) notice.body += ", ";
    notice.body += sender;
    senders.push_back(std::move(sender));
  }
  return notice;
}

bool MarkRead(ArrivalNotice& notice, const MessageKey& key) {
  return EraseUnread(notice, [&key](const MessageKey& unread) { return unread == key; });
}

bool ForgetGone(ArrivalNotice& notice, const MessageList& inbox) {
  return EraseUnread(notice,
                     [&inbox](const MessageKey& unread) { return FindMessage(inbox, unread) < 0; });
}

std::string NameWithUnreadCount(std::string_view name, int unread) {
  std::string text(name);
  if (unread > 0) text += " (" + std::to_string(unread) + ")";
  return text;
}

}  // namespace zeph
