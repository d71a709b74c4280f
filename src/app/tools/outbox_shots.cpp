// The Outbox with a message in each state, and Delivery reports with a
// pending, a delivered and a failed entry, to the demo SIM's contacts. The
// tool has no card service, so the send thread ends at once and the states
// stay as they are put here.

#include <memory>
#include <vector>

#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/folders/folder_list_view.h"
#include "app/folders/message_folder_module.h"
#include "app/shell/main_frame.h"
#include "app/tools/shots.h"
#include "core/startup/command_line.h"
#include "core/store/message_file.h"

namespace zeph {
namespace {

std::unique_ptr<MessageRecord> Entry(const char* number, const char* text, uint16_t day,
                                     uint16_t hour, uint16_t minute, uint32_t flags) {
  auto record = CreateMessageRecord();
  AddNumber(*record, number);
  record->text = text;
  record->time = RecordTime{2026, 12, 0, day, hour, minute, 0, 0};
  record->flags = MRF_OUTGOING | flags;
  return record;
}

void Fill(LockedMessageList& list, std::vector<std::unique_ptr<MessageRecord>> records) {
  ScopedLock hold(list);
  static_cast<void>(list.RemoveAll());  // always 1
  uint32_t reference = 1;
  for (auto& record : records) {
    record->reference = reference++;
    list.Add(std::move(record));
  }
}

}  // namespace

bool SaveOutboxShots(const ShotContext& context) {
  AppLists& lists = context.services.store->Lists();
  std::vector<std::unique_ptr<MessageRecord>> outbox;
  outbox.push_back(Entry("+15550102", "On my way, see you in ten", 5, 9, 41, MRF_SENDING));
  outbox.push_back(Entry("+15550105", "Tickets are booked for Saturday", 5, 9, 43, MRF_WAITING));
  outbox.push_back(Entry("+4930555019", "Please call me back", 4, 18, 2, MRF_GAVEUP));
  Fill(lists.outbox, std::move(outbox));

  std::vector<std::unique_ptr<MessageRecord>> reports;
  reports.push_back(Entry("+15550103", "Happy birthday, Cl...", 3, 8, 15,
                          MRF_SENDING | MRF_REPORT | MRF_REPORT_DELIVERED));
  reports.push_back(Entry("+15550108", "The parcel is at t...", 4, 16, 20,
                          MRF_SENDING | MRF_REPORT | MRF_REPORT_FAILED));
  reports.push_back(Entry("+15550101", "See you at eight...", 5, 9, 12, MRF_SENDING));
  Fill(lists.reports, std::move(reports));
  // The module reloads its file when it is shown.
  {
    ScopedLock hold(lists.reports);
    static_cast<void>(SaveMessageFile(context.services.store->Paths().reports, lists.reports));
  }

  bool ok = true;
  context.frame.OpenModule(kOutboxModule);
  auto* outboxModule = static_cast<MessageFolderModule*>(context.frame.Module(kOutboxModule));
  outboxModule->List()->SelectRow(2);  // the failed one: Resend is on
  ok = SaveShot(context.frame, context, "main-outbox") && ok;
  // Wide enough for the four columns of Delivery reports to show whole.
  const QSize size = context.frame.size();
  context.frame.resize(size.width() + 180, size.height());
  context.frame.OpenModule(kReportsModule);
  ok = SaveShot(context.frame, context, "main-reports") && ok;
  context.frame.resize(size);
  return ok;
}

}  // namespace zeph
