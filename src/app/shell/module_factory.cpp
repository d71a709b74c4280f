#include "app/shell/module_factory.h"

#include "app/contacts/contacts_module.h"
#include "core/startup/command_line.h"

namespace zeph {

std::unique_ptr<FolderModule> CreateProgramModule(int index, const ModuleServices& services,
                                                  QWidget* parent) {
  if (index == kContactsModule) return CreateContactsModule(index, services, parent);
  return CreateFolderModule(index, services, parent);
}

}  // namespace zeph
