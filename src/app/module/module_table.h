#pragma once
// The five folder modules in the order of the module list; a row's index is
// the module index of the command line and of the module list.

#include <array>

#include "app/base/resource_icons.h"
#include "core/resources/string_table.h"

namespace zeph {

// What a folder module does to its selection when the frame asks it (the
// menu bar, the action bar, the keys). The values are also the bits of a
// module's ActionMask and the action buttons' command values.
enum class FolderCommand : int {
  kNew = 1,
  kReply = 2,
  kForward = 4,
  kDelete = 8,  // already confirmed by the user
  kChat = 16,
};

struct ModuleRow {
  IconId icon;
  StringId name;
  StringId description;
  int actionMask;  // FolderCommand bits: the action buttons the module shows
};

inline constexpr std::array<ModuleRow, 5> kModuleTable = {{
    {IconId::kInbox, StringId::kInboxName, StringId::kInboxDescription, 31},
    {IconId::kOutbox, StringId::kOutboxName, StringId::kOutboxDescription, 9},
    {IconId::kSent, StringId::kSentName, StringId::kSentDescription, 29},
    {IconId::kReports, StringId::kReportsName, StringId::kReportsDescription, 9},
    {IconId::kContacts, StringId::kContactsName, StringId::kContactsDescription, 25},
}};

struct ActionButtonRow {
  FolderCommand command;
  std::array<IconId, 4> icons;  // normal, hot, disabled, pressed
  StringId tooltip;
};

// In the order the bar shows them.
inline constexpr std::array<ActionButtonRow, 5> kActionButtons = {{
    {FolderCommand::kNew,
     {IconId::kNewNormal, IconId::kNewHot, IconId::kNewDisabled, IconId::kNewPressed},
     StringId::kNewTooltip},
    {FolderCommand::kReply,
     {IconId::kReplyNormal, IconId::kReplyHot, IconId::kReplyDisabled, IconId::kReplyPressed},
     StringId::kReplyTooltip},
    {FolderCommand::kForward,
     {IconId::kForwardNormal, IconId::kForwardHot, IconId::kForwardDisabled,
      IconId::kForwardPressed},
     StringId::kForwardTooltip},
    {FolderCommand::kDelete,
     {IconId::kDeleteNormal, IconId::kDeleteHot, IconId::kDeleteDisabled, IconId::kDeletePressed},
     StringId::kDeleteTooltip},
    {FolderCommand::kChat,
     {IconId::kChatNormal, IconId::kChatHot, IconId::kChatDisabled, IconId::kChatPressed},
     StringId::kChatTooltip},
}};

}  // namespace zeph
