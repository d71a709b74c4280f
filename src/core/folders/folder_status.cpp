#include "core/folders/folder_status.h"

#include "core/resources/string_table.h"
#include "core/store/message_record.h"

namespace zeph {

int InboxIconOf(uint32_t flags) {
  if (flags & MRF_PICTURE) return kInboxPicture;
  if (flags & MRF_FORWARDED)
    return (flags & MRF_REPLIED) ? kInboxRepliedAndForwarded : kInboxForwarded;
  if (flags & MRF_REPLIED) return kInboxReplied;
  if (flags & MRF_READ) return kInboxRead;
  return kInboxUnread;
}

int SentIconOf(uint32_t flags) {
  if (flags & MRF_PICTURE) return kSentPicture;
  if (flags & MRF_FORWARDED) return kSentForwarded;
  return kSentPlain;
}

int ReportStatusStringId(uint32_t flags) {
  if (flags & MRF_REPORT_FAILED) return 35;
  if (flags & MRF_REPORT_PENDING) return 33;
  if (flags & MRF_REPORT_DELIVERED) return 34;
  return 33;
}

std::string_view ReportStatusText(uint32_t flags) {
  return LoadString(ReportStatusStringId(flags));
}

int OutboxStatusStringId(uint32_t flags) {
  if (flags & MRF_SENDING) return 28;
  if (flags & MRF_WAITING) return 27;
  if (flags & MRF_GAVEUP) return 78;
  return 0;
}

}  // namespace zeph
