#pragma once
// The frame's menu bar: File, View, Tools and Help.

#include <QMenuBar>
#include <functional>
#include <map>

#include "app/base/command_id.h"
#include "app/base/folder_actions.h"

namespace zeph {

using CommandSink = std::function<void(CommandId command)>;

// Fills `bar` with the folder commands' actions and the frame's own, which
// it makes as children of `owner`; every action reports its command to
// `sink` when it triggers. Returns each command's action. The View menu
// stays empty for the frame's module actions.
std::map<CommandId, QAction*> BuildMenuBar(QMenuBar* bar, const FolderActions& folder,
                                           QWidget* owner, const CommandSink& sink);

}  // namespace zeph
