#include "app/shell/module_factory.h"

#include "app/contacts/contacts_module.h"
#include "app/folders/inbox_module.h"
#include "app/folders/outbox_module.h"
#include "app/folders/reports_module.h"
#include "app/folders/sent_module.h"
#include "core/startup/command_line.h"

namespace zeph {

std::unique_ptr<ModulePage> CreateProgramModule(int index, const ModuleServices& services,
                                                QWidget* parent) {
  switch (index) {
    case kInboxModule:
      return std::make_unique<InboxModule>(index, services, parent);
    case kOutboxModule:
      // The Outbox owns the send engine: its thread runs from here until
      // the frame goes.
      return std::make_unique<OutboxModule>(index, services, OutboxSetup{}, parent);
    case kSentModule:
      return std::make_unique<SentModule>(index, services, parent);
    case kReportsModule:
      return std::make_unique<ReportsModule>(index, services, parent);
    case kContactsModule:
      return std::make_unique<ContactsModule>(index, services, parent);
    default:
      return nullptr;  // the module table has no such row
  }
}

}  // namespace zeph
