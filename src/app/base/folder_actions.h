#pragma once
// The folder commands, one QAction each. The frame owns them and shows the
// same actions in its menu bar, in the message folders' context menu and
// on the action bar; the current module enables them (setEnabled on the
// action), and the frame carries them out when they trigger.

#include <QAction>
#include <QMenu>

namespace zeph {

struct FolderActions {
  QAction* newMessage = nullptr;      // Ctrl+N
  QAction* reply = nullptr;           // Ctrl+R
  QAction* forward = nullptr;         // Ctrl+L
  QAction* deleteSelected = nullptr;  // Del; asks first
  QAction* deleteAll = nullptr;       // asks first
  QAction* savePicture = nullptr;
  QAction* addToContacts = nullptr;
  QAction* chat = nullptr;  // Ctrl+T
  // The message folders' context menu: Save Picture, Add To Contacts, a
  // separator, Reply, Forward, Chat, Delete, Delete All.
  QMenu* contextMenu = nullptr;
};

// Makes the actions and the context menu as children of `owner`.
FolderActions MakeFolderActions(QWidget* owner);

}  // namespace zeph
