#include "core/folders/reception.h"

#include "core/codecs/card_message.h"
#include "core/codecs/card_message_layout.h"
#include "core/devicelink/device_requests.h"
#include "core/folders/contact_lookup.h"
#include "core/resources/string_table.h"
#include "core/store/message_file.h"
#include "core/util/mutex.h"

namespace zeph {
namespace {

constexpr int kNoReportMatchTextId = 90;  // "..."

bool IsTaken(const std::vector<uint8_t>& block) {
  using namespace card_message;
  const uint8_t status = block[kStatusOffset];
  return (status & kStatusReceived) && !(status & kStatusSkip) &&
         block[kKindOffset] != kKindSkipped;
}

// Deletes a taken message on the card. Its result is ignored: a message the
// card did not delete is fetched again by a later pass and filed once more,
// which loses nothing.
void DeleteOnCard(Pipe& pipe, int slot) {
  (void)DeleteStoredMessage(pipe, static_cast<uint32_t>(slot));
}

void SaveBoth(const ReceptionTargets& targets) {
  SaveMessageFileOrLog(targets.inboxPath, targets.inbox);
  ScopedLock hold(targets.reports);
  SaveMessageFileOrLog(targets.reportsPath, targets.reports);
}

// A message with a replace type replaces the first Inbox message of the same
// sender with the same replace type.
void ReplaceEarlier(MessageList& inbox, const MessageRecord& record) {
  const uint32_t replaceType = record.flags & MRF_REPLACE_MASK;
  if (replaceType == 0) return;
  const std::string sender = FirstNumber(record);
  for (int i = 0; i < inbox.Count(); ++i) {
    const MessageRecord& held = *inbox.GetAt(i);
    if ((held.flags & MRF_REPLACE_MASK) == replaceType && FirstNumber(held) == sender) {
      (void)inbox.RemoveAt(i);  // i lies within the list: it cannot fail
      return;
    }
  }
}

void RouteToChat(const ReceptionTargets& targets, const ReceptionHooks& hooks,
                 const MessageRecord& record) {
  if (!targets.chatPartner) return;
  const std::string key = MatchKey(*targets.chatPartner);
  if (!NumberContainsKey(FirstNumber(record), key)) return;
  targets.chat.Add(CopyMessageRecord(record));
  if (hooks.chatAppended) hooks.chatAppended();
}

}  // namespace

std::string MatchReport(LockedMessageList& reports, uint8_t reference) {
  std::string text(LoadString(kNoReportMatchTextId));
  for (int i = 0; i < reports.Count();) {
    const MessageRecord* entry = reports.GetAt(i);
    if (entry->reference != reference) {
      ++i;
      continue;
    }
    text = TextOf(*entry);
    (void)reports.RemoveAt(i);  // i lies within the list: it cannot fail
  }
  return text;
}

int FetchNewMessages(Pipe& pipe, const ReceptionTargets& targets, const ReceptionHooks& hooks) {
  StoredMessageCounts counts;
  if (ReadStoredMessageCounts(pipe, counts) != 0) return 0;
  if (counts.counts[0] == 0 && counts.counts[1] == 0) {
    SaveBoth(targets);
    return 0;
  }

  int taken = 0;
  for (int slot = 0; slot < counts.Total(); ++slot) {
    std::vector<uint8_t> block;
    if (ReadStoredMessage(pipe, static_cast<uint8_t>(slot), block) != 0) continue;
    if (block.size() < card_message::kHeadSize || !IsTaken(block)) continue;

    ReceivedMessage received = MessageRecordFromReceived(block);
    std::unique_ptr<MessageRecord> record = std::move(received.record);
    if (!record) continue;
    if (received.report) {
      // A report's text comes from the entry it replaces: matching, filing
      // and saving are one step against the send thread's filing.
      ScopedLock hold(targets.reports);
      record->text = MatchReport(targets.reports, received.report->reference);
      targets.reports.Add(std::move(record));
      SaveMessageFileOrLog(targets.reportsPath, targets.reports);
    }
    if (received.error != 0 && hooks.showError) hooks.showError(received.error);
    ++taken;

    if (record && (record->flags & MRF_BUSINESSCARD)) {
      DeleteOnCard(pipe, slot);
      if (hooks.businessCardReceived) hooks.businessCardReceived(*record);
      if (hooks.taken) hooks.taken(*record, false);
      continue;
    }
    if (record) {
      ReplaceEarlier(targets.inbox, *record);
      const MessageRecord& filed = *targets.inbox.GetAt(targets.inbox.Add(std::move(record)));
      RouteToChat(targets, hooks, filed);
      if (hooks.taken) hooks.taken(filed, true);
    }
    DeleteOnCard(pipe, slot);
  }
  SaveBoth(targets);
  return taken;
}

}  // namespace zeph
