#pragma once
// The frame's menu bar (8011), the message folders' context menu (199) and
// the command ids they share with the action bar and the keys.

#include <QMenu>
#include <QMenuBar>
#include <functional>
#include <memory>

namespace zeph {

inline constexpr const char* kCommandIdProperty = "commandId";

namespace command {
inline constexpr int kNew = 8030;
inline constexpr int kReply = 8031;
inline constexpr int kForward = 8032;
inline constexpr int kDelete = 8033;
inline constexpr int kDeleteAll = 8065;
inline constexpr int kSavePicture = 8051;
inline constexpr int kAddToContacts = 8060;
inline constexpr int kExit = 8034;
inline constexpr int kChat = 8040;
inline constexpr int kPictureLibrary = 8057;
inline constexpr int kCardManager = 8041;
inline constexpr int kOptions = 8042;
inline constexpr int kHelpContents = 8024;
inline constexpr int kHelpIndex = 8025;
inline constexpr int kWebSite = 8029;
inline constexpr int kAbout = 8026;
inline constexpr int kDeleteKey = 8055;  // the Delete key and the action bar's Delete
}  // namespace command

using CommandSink = std::function<void(int command)>;

// Fills `bar` with File, Tools and Help; every item reports its id.
void BuildMenuBar(QMenuBar* bar, const CommandSink& sink);

// The context menu: Save Picture, Add To Contacts, a separator, Reply,
// Forward, Chat, Delete, Delete All. Its items report nothing themselves:
// the module that opens it sends the chosen id to the frame.
std::unique_ptr<QMenu> BuildContextMenu();

// The item with the command id anywhere in `menu` (a QMenuBar or QMenu),
// or nullptr.
QAction* FindMenuItem(QWidget* menu, int commandId);

// Flag 0 disables the item, 1 enables it; other flags leave it as it is.
// Returns whether the item was found (and so updated).
int SetMenuItemEnabled(QWidget* menu, int commandId, int flag);

}  // namespace zeph
