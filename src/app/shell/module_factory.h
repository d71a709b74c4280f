#pragma once
// The one place where the program's modules are made, by row of the
// module table: the message folders and Contacts.

#include <QWidget>
#include <memory>

#include "app/module/module_page.h"

namespace zeph {

std::unique_ptr<ModulePage> CreateProgramModule(int index, const ModuleServices& services,
                                                QWidget* parent);

}  // namespace zeph
