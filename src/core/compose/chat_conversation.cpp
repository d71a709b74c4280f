#include "core/compose/chat_conversation.h"

#include <algorithm>
#include <limits>

#include "core/folders/contact_lookup.h"
#include "core/folders/date_text.h"
#include "core/resources/string_table.h"
#include "core/store/file_time.h"

namespace zeph {
namespace {

bool BelongsToChat(const MessageRecord& record, std::string_view key) {
  return NumberContainsKey(FirstNumber(record), key);
}

}  // namespace

std::string ChatCaption(std::string_view partnerName, std::string_view partnerNumber) {
  return std::string(partnerName) + " <" + std::string(partnerNumber) + ">";
}

int64_t ChatCutoff(const RecordTime& now, int hours) {
  // The settings file may hold any number of hours; more than the count
  // reaches back take every message.
  constexpr int64_t kFirst = std::numeric_limits<int64_t>::min();
  constexpr int64_t kMostHours = std::numeric_limits<int64_t>::max() / kFileTimeUnitsPerHour;
  const int64_t back = std::clamp<int64_t>(hours, 0, kMostHours) * kFileTimeUnitsPerHour;
  const int64_t at = FileTimeOf(now);
  return at < kFirst + back ? kFirst : at - back;
}

void AssembleConversation(const MessageList& inbox, const MessageList& sent, std::string_view key,
                          int64_t cutoff, MessageList& chat) {
  int64_t last = cutoff;
  bool added = false;
  for (const MessageRecord& received : inbox) {
    const int64_t receivedAt = FileTimeOf(received.time);
    if (receivedAt <= cutoff || !BelongsToChat(received, key)) continue;
    for (const MessageRecord& mine : sent) {
      const int64_t sentAt = FileTimeOf(mine.time);
      if (sentAt > last && sentAt < receivedAt && BelongsToChat(mine, key)) {
        chat.Add(CopyMessageRecord(mine));
      }
    }
    chat.Add(CopyMessageRecord(received));
    last = receivedAt;
    added = true;
  }
  for (const MessageRecord& mine : sent) {
    if (FileTimeOf(mine.time) > last && BelongsToChat(mine, key)) {
      chat.Add(CopyMessageRecord(mine));
      added = true;
    }
  }
  if (added) (void)chat.RemoveAt(0);  // the seed, which is there
}

std::string ChatTranscript(const MessageList& chat, std::string_view ownName,
                           std::string_view partnerName) {
  std::string out;
  for (const MessageRecord& entry : chat) {
    out += (entry.flags & MRF_OUTGOING) ? ownName : partnerName;
    out += LoadString(84);
    out += "\r\n";
    if (entry.text) out += "  " + *entry.text;
    out += "\r\n  " + ChatTranscriptDateTimeText(entry.time) + "\r\n\r\n";
  }
  return out;
}

}  // namespace zeph
