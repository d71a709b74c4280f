#include "core/folders/send_one_message.h"

#include "core/codecs/card_message.h"
#include "core/codecs/gsm_text.h"
#include "core/devicelink/device_requests.h"
#include "core/folders/report_excerpt.h"
#include "core/settings/can_send.h"
#include "core/store/message_file.h"
#include "core/util/fixed_text.h"
#include "core/util/mutex.h"

namespace zeph {
namespace {

void FileCopies(const MessageRecord& record, const SendFiling& filing, bool reportsWanted) {
  auto filed = CopyMessageRecord(record);
  filed->flags |= MRF_SENDING;
  if (!(record.flags & MRF_BUSINESSCARD)) {
    ScopedLock hold(filing.sent);
    filing.sent.Add(CopyMessageRecord(*filed));
    SaveMessageFileOrLog(filing.sentPath, filing.sent, filing.durability);
  }
  if (reportsWanted) {
    filed->text = ReportExcerpt(*filed);
    ScopedLock hold(filing.reports);
    filing.reports.Add(std::move(filed));
    SaveMessageFileOrLog(filing.reportsPath, filing.reports, filing.durability);
  }
}

}  // namespace

uint32_t SendOneMessage(MessageRecord& record, Pipe& pipe, const SendFiling& filing) {
  if (!(record.flags & MRF_BUSINESSCARD) && record.text) {
    record.text = BlanksForLineBreaks(*record.text);
  }
  std::vector<uint8_t> block = BuildCardMessage(record);

  CentreSettings centre;
  if (uint32_t result = ReadCentreSettings(pipe, centre)) return result;
  SendOptions options;
  if (uint32_t result = ReadSendOptions(pipe, options)) return result;

  const bool hasReplyPath = (record.flags & MRF_REPLYPATH) != 0;
  const bool askReplyPath = options.replyPath != 0 && !hasReplyPath;
  SetSendRoute(block, hasReplyPath ? FieldText(record.serviceCentre) : centre.number, askReplyPath);

  if (!CanSendNow(pipe)) return 1;

  uint8_t reference = 0;
  if (uint32_t result =
          SendShortMessage(pipe, options.option3 != 0, FirstNumber(record), block, reference)) {
    return result;
  }
  record.reference = reference;
  FileCopies(record, filing, options.deliveryReports != 0);
  return 0;
}

}  // namespace zeph
