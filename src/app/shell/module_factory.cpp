#include "app/shell/module_factory.h"

#include "app/contacts/business_card_received_dialog.h"
#include "app/contacts/contacts_module.h"
#include "app/folders/inbox_module.h"
#include "app/folders/outbox_module.h"
#include "app/folders/reports_module.h"
#include "app/folders/sent_module.h"
#include "core/startup/command_line.h"

namespace zeph {

std::unique_ptr<FolderModule> CreateProgramModule(int index, const ModuleServices& services,
                                                  QWidget* parent) {
  switch (index) {
    case kInboxModule: {
      // A received business card is the contacts module's to show, over
      // the module on screen; reception waits until it was answered.
      InboxSetup setup;
      setup.businessCardReceived = [services](const MessageRecord& card) {
        static_cast<void>(ParseBusinessCard(card, services.windows->currentModule, services));
      };
      return CreateInboxModule(index, services, std::move(setup), parent);
    }
    case kOutboxModule:
      // The Outbox owns the send engine: its thread runs from here until
      // the frame goes.
      return CreateOutboxModule(index, services, {}, parent);
    case kSentModule:
      return CreateSentModule(index, services, parent);
    case kReportsModule:
      return CreateReportsModule(index, services, parent);
    case kContactsModule:
      return CreateContactsModule(index, services, parent);
    default:
      return CreateFolderModule(index, services, parent);
  }
}

}  // namespace zeph
