#include "app/shell/module_wiring.h"

#include "app/module/folder_module.h"
#include "app/shell/main_frame.h"
#include "core/startup/command_line.h"

namespace zeph {

void ConnectModule(FolderModule& module, MainFrame& frame) {
  QObject::connect(&module, &FolderModule::CommandRequested, &frame, &MainFrame::RunCommand);
  QObject::connect(&module, &FolderModule::CommandEnabled, &frame, &MainFrame::SetCommandEnabled);
  QObject::connect(&module, &FolderModule::ActionButtonEnabled, &frame,
                   &MainFrame::SetActionButtonEnabled);
  QObject::connect(&module, &FolderModule::OpenContactInformation, &frame,
                   &MainFrame::ContactInformationRequested);
  QObject::connect(&module, &FolderModule::OpenEditor, &frame, &MainFrame::EditorRequested);
  // The module that took the messages has reloaded itself already.
  QObject::connect(&module, &FolderModule::MessagesArrived, &frame, [&frame, &module] {
    if (frame.CurrentModule() != &module) frame.ReloadCurrentModule();
  });
  QObject::connect(&module, &FolderModule::ChatMessageArrived, &frame,
                   &MainFrame::ChatMessageArrived);
  QObject::connect(&module, &FolderModule::BusinessCardReceived, &frame,
                   &MainFrame::ShowBusinessCard);
  const bool ownedByFrame = module.Index() != kContactsModule;
  QObject::connect(&module, &FolderModule::OpenChat, &frame,
                   [&frame, ownedByFrame](const MessageRecord& seed) {
                     emit frame.ChatRequested(seed, ownedByFrame);
                   });
}

}  // namespace zeph
