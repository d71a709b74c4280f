#pragma once
// Menu items by command id, and the context popups that the modules share
// (made once, at start-up). A popup reports nothing itself:
// whoever opens it hands the chosen command on to the frame, so that it
// takes the menu bar's path, confirmations included.

#include <QMenu>
#include <memory>

#include "app/base/command_id.h"

namespace zeph {

// Appends an item that carries its command id.
QAction* AddMenuItem(QMenu* menu, const QString& text, CommandId command);

// The command of an item made by AddMenuItem.
CommandId CommandOf(const QAction& item);

// The item with the command id anywhere in `menu` (a QMenuBar or QMenu),
// or nullptr.
QAction* FindMenuItem(QWidget* menu, CommandId command);

// Flag 0 disables the item, 1 enables it; other flags leave it as it is.
// Returns whether the item was found (and so updated).
int SetMenuItemEnabled(QWidget* menu, CommandId command, int flag);

class ContextMenus {
 public:
  ContextMenus();
  ~ContextMenus();
  ContextMenus(const ContextMenus&) = delete;
  ContextMenus& operator=(const ContextMenus&) = delete;

  // Popup 1, the message folders': Save Picture, Add To Contacts, a
  // separator, Reply, Forward, Chat, Delete, Delete All. Its items are
  // enabled together with the menu bar's.
  QMenu* MessageFolders() const { return messageFolders_.get(); }
  // Popup 2, the Contacts module's: Chat, Send, Delete, Edit. The module
  // carries out the choice itself.
  QMenu* Contacts() const { return contacts_.get(); }

 private:
  std::unique_ptr<QMenu> messageFolders_;
  std::unique_ptr<QMenu> contacts_;
};

}  // namespace zeph
