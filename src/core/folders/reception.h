#pragma once
// Reception: fetching every message the card has received, filing it and
// deleting it on the card. Runs on the user-interface thread, on its pipe.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/devicelink/pipe.h"
#include "core/store/message_record.h"
#include "core/util/thread_annotations.h"

namespace zeph {

struct ReceptionTargets {
  MessageList& inbox;
  std::string inboxPath;
  // Shared with the send thread: reception holds its lock while it matches a
  // report, appends it and saves the file, never while it decodes or waits
  // for the card service.
  LockedMessageList& reports;
  std::string reportsPath;
  MessageList& chat;  // the open chat's conversation
  // The open chat's partner number, none while no chat window is open.
  std::optional<std::string> chatPartner;
};

// What reception asks of the windows. Every hook may be left empty.
struct ReceptionHooks {
  // Shows the common error box for `code` and returns when it was closed
  // (an unknown data message).
  std::function<void(int code)> showError;
  // Business-card reception: shows "Business Card Received" for the record
  // and returns when the user has answered. The record is never filed.
  std::function<void(const MessageRecord& card)> businessCardReceived;
  // A copy of a message from the chat partner was appended to `chat`.
  std::function<void()> chatAppended;
  // A message for the user was taken: `filed` in the Inbox, or a business
  // card (after its dialog was answered). Delivery reports are not told.
  std::function<void(const MessageRecord& record, bool filed)> taken;
};

// Removes every entry of the Delivery reports list whose reference is
// `reference`, pending entry or earlier report alike, and returns the text of
// the last one removed in list order, or "..." when none matches. So a later
// report on the same message replaces the earlier one and keeps its summary.
// The caller holds the list's lock over the call and over filing the new
// report, so that the walk, the removals and the append see one list.
std::string MatchReport(LockedMessageList& reports, uint8_t reference) REQUIRES(reports);

// The reception pass. Reads the stored-message counts (on failure nothing
// more happens, nothing is saved); reads every slot from 0 to the sum of the
// counts - 1 (none when the first two counts are 0); skips and leaves on the
// card any message not marked received, marked 0x08 or of kind 2; turns each
// other one into a record: a business card goes to `businessCardReceived`, a
// delivery report into the Delivery reports list (saved at once), any other
// message into the Inbox (replacing the first message of the same sender
// and replace type when it has one) and, when it comes from the open chat's
// partner, a copy into the chat. Each message taken is deleted on the card.
// Finally saves the Inbox and the Delivery reports files. Returns how many
// messages were taken.
int FetchNewMessages(Pipe& pipe, const ReceptionTargets& targets, const ReceptionHooks& hooks);

}  // namespace zeph
