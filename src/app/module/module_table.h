#pragma once
// The five folder modules in the order of the module list; a row's index is
// the module index of the command line and of the module list.

#include <array>

#include "app/base/resource_icons.h"
#include "core/resources/string_table.h"

namespace zeph {

// What a folder module does to its selection when the frame asks it (the
// menu bar, the action bar, the keys).
enum class FolderCommand : int {
  kNew = 1,
  kReply = 2,
  kForward = 4,
  kDelete = 8,  // already confirmed by the user
  kChat = 16,
};

// The folder commands the action bar shows for a module, in this order.
struct BarCommands {
  bool newMessage = false;
  bool reply = false;
  bool forward = false;
  bool deleteSelected = false;
  bool chat = false;
};

struct ModuleRow {
  IconId icon;
  StringId name;
  StringId description;
  BarCommands barCommands;
};

inline constexpr std::array<ModuleRow, 5> kModuleTable = {{
    {.icon = IconId::kInbox,
     .name = StringId::kInboxName,
     .description = StringId::kInboxDescription,
     .barCommands = {.newMessage = true,
                     .reply = true,
                     .forward = true,
                     .deleteSelected = true,
                     .chat = true}},
    {.icon = IconId::kOutbox,
     .name = StringId::kOutboxName,
     .description = StringId::kOutboxDescription,
     .barCommands = {.newMessage = true, .deleteSelected = true}},
    {.icon = IconId::kSent,
     .name = StringId::kSentName,
     .description = StringId::kSentDescription,
     .barCommands = {.newMessage = true, .forward = true, .deleteSelected = true, .chat = true}},
    {.icon = IconId::kReports,
     .name = StringId::kReportsName,
     .description = StringId::kReportsDescription,
     .barCommands = {.newMessage = true, .deleteSelected = true}},
    {.icon = IconId::kContacts,
     .name = StringId::kContactsName,
     .description = StringId::kContactsDescription,
     .barCommands = {.newMessage = true, .deleteSelected = true, .chat = true}},
}};

}  // namespace zeph
