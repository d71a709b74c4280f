#pragma once
// The program's own drawings of its icons, used where the desktop's icon
// theme has no icon of the wanted name (a bare system, the offscreen
// platform). Drawn in code so that they look the same everywhere.

#include <QIcon>

namespace zeph {

enum class IconShape {
  kApplication,
  kNewMessage,
  kReply,
  kForward,
  kDelete,
  kChat,
  kInbox,
  kOutbox,
  kSent,
  kReports,
  kContacts,
  kMessageItem,
  kUnreadItem,
  kRepliedItem,
  kForwardedItem,
  kRepliedForwardedItem,
  kPictureItem,
  kContactItem,
  kNewPicture,
  kEditPicture,
  kImportPicture,
  kExportPicture,
  kSave,
  kClearAll,
  kSend,
  kCut,
  kCopy,
  kPaste,
  kAttachPicture,
  kRemovePicture,
};

// The shape at the usual sizes (16, 22, 24, 32, 48 and 64 pixels).
QIcon DrawFallbackIcon(IconShape shape);

}  // namespace zeph
