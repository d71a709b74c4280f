#include "app/shell/module_wiring.h"

#include "app/module/module_page.h"
#include "app/shell/main_frame.h"
#include "core/startup/command_line.h"

namespace zeph {

void ConnectModule(ModulePage& module, MainFrame& frame) {
  QObject::connect(&module, &ModulePage::OpenContactInformation, &frame,
                   &MainFrame::ContactInformationRequested);
  QObject::connect(&module, &ModulePage::OpenEditor, &frame, &MainFrame::EditorRequested);
  // The module that took the messages has reloaded itself already.
  QObject::connect(&module, &ModulePage::MessagesArrived, &frame, [&frame, &module] {
    if (frame.CurrentModule() != &module) frame.ReloadCurrentModule();
  });
  QObject::connect(&module, &ModulePage::ChatMessageArrived, &frame,
                   &MainFrame::ChatMessageArrived);
  QObject::connect(&module, &ModulePage::BusinessCardReceived, &frame,
                   &MainFrame::ShowBusinessCard);
  const bool ownedByFrame = module.Index() != kContactsModule;
  QObject::connect(&module, &ModulePage::OpenChat, &frame,
                   [&frame, ownedByFrame](const MessageRecord& seed) {
                     emit frame.ChatRequested(seed, ownedByFrame);
                   });
}

}  // namespace zeph
