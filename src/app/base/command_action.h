#pragma once
// A command as its owner makes it: one QAction that holds the text, the
// icon, the shortcut and the tooltip, and that every place showing the
// command (menu, context menu, action bar) shares.

#include <QAction>
#include <QKeySequence>
#include <array>

#include "app/base/resource_icons.h"

namespace zeph {

// A command of `owner` (its parent) with the action bar's four images as
// its icon. The icon stays out of the menus, which show texts only.
QAction* NewCommandAction(QObject* owner, const QString& text, const std::array<IconId, 4>& icons);

// The tooltip the action bar shows: `name` with the key that runs the
// command, "Save As Text (Ctrl+S)"; `key` for a command whose key its
// window takes itself, else the action's shortcut.
void SetToolTipWithKey(QAction* action, const QString& name, const QKeySequence& key = {});

}  // namespace zeph
