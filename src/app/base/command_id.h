#pragma once
// The commands of the menu bar, the context popups, the action bar and the
// keys, by id.

namespace zeph {

enum class CommandId : int {
  kNew = 8030,
  kReply = 8031,
  kForward = 8032,
  kDelete = 8033,
  kExit = 8034,
  kChat = 8040,
  kEditContact = 8016,  // the Contacts popup's Edit
  kSendContact = 8045,  // the Contacts popup's Send (a business card)
  kCardManager = 8041,
  kOptions = 8042,
  kHelpContents = 8024,
  kHelpIndex = 8025,
  kAbout = 8026,
  kWebSite = 8029,
  kSavePicture = 8051,
  kDeleteKey = 8055,  // the Delete key and the action bar's Delete: asks like kDelete
  kPictureLibrary = 8057,
  kAddToContacts = 8060,
  kDeleteAll = 8065,
};

// The QAction property that holds an item's CommandId as an int.
inline constexpr const char* kCommandIdProperty = "commandId";

}  // namespace zeph
