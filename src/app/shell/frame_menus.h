#pragma once
// The frame's menu bar: File, Tools and Help.

#include <QMenuBar>
#include <functional>

#include "app/base/command_id.h"

namespace zeph {

using CommandSink = std::function<void(CommandId command)>;

// Fills `bar`; every item reports its command to `sink`.
void BuildMenuBar(QMenuBar* bar, const CommandSink& sink);

}  // namespace zeph
