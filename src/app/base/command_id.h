#pragma once
// The frame's commands, by id: each is one QAction, which the menu bar
// shows (the folder commands also the context menu and the action bar).

namespace zeph {

enum class CommandId : int {
  kNew = 8030,
  kReply = 8031,
  kForward = 8032,
  kDelete = 8033,
  kExit = 8034,
  kChat = 8040,
  kCardManager = 8041,
  kOptions = 8042,
  kHelpContents = 8024,
  kHelpIndex = 8025,
  kAbout = 8026,
  kWebSite = 8029,
  kSavePicture = 8051,
  kPictureLibrary = 8057,
  kAddToContacts = 8060,
  kDeleteAll = 8065,
};

}  // namespace zeph
