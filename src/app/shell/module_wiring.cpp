#include "app/shell/module_wiring.h"

#include "app/folders/folder_module.h"
#include "app/shell/main_frame.h"

namespace zeph {

void ConnectModule(FolderModule& module, MainFrame& frame) {
  QObject::connect(&module, &FolderModule::CommandRequested, &frame, &MainFrame::RunCommand);
  QObject::connect(&module, &FolderModule::CommandEnabled, &frame, &MainFrame::SetCommandEnabled);
  QObject::connect(&module, &FolderModule::ActionButtonEnabled, &frame,
                   &MainFrame::SetActionButtonEnabled);
  QObject::connect(&module, &FolderModule::OpenContactInformation, &frame,
                   &MainFrame::ContactInformationRequested);
}

}  // namespace zeph
