#pragma once
// The modules the program's frame shows, by row of the module table:
// Contacts from its own layer, the message folders from theirs.

#include <QWidget>
#include <memory>

#include "app/module/folder_module.h"

namespace zeph {

std::unique_ptr<FolderModule> CreateProgramModule(int index, const ModuleServices& services,
                                                  QWidget* parent);

}  // namespace zeph
