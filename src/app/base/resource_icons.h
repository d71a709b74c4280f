#pragma once
// Every icon the program shows, by its id. Icons come from the desktop's icon theme by their
// freedesktop name, and from the program's own drawings where the theme
// has none.

#include <QIcon>
#include <array>

namespace zeph {

enum class IconId : int {
  kApplication = 100,
  // Action buttons, each in the four images of a button record: normal,
  // hot, disabled, pressed.
  kNewNormal = 113,
  kNewHot = 128,
  kNewDisabled = 124,
  kNewPressed = 177,
  kReplyNormal = 114,
  kReplyHot = 138,
  kReplyDisabled = 125,
  kReplyPressed = 192,
  kForwardNormal = 115,
  kForwardHot = 139,
  kForwardDisabled = 126,
  kForwardPressed = 178,
  kDeleteNormal = 116,
  kDeleteHot = 140,
  kDeleteDisabled = 127,
  kDeletePressed = 179,
  kChatNormal = 133,
  kChatHot = 117,
  kChatDisabled = 134,
  kChatPressed = 180,
  // The Picture Library's and the Picture Editor's buttons (Save is the
  // chat's Save As Text too). Import has one image for normal and hot.
  kNewPictureNormal = 142,
  kNewPictureHot = 144,
  kNewPictureDisabled = 143,
  kNewPicturePressed = 186,
  kEditPictureNormal = 145,
  kEditPictureHot = 147,
  kEditPictureDisabled = 146,
  kEditPicturePressed = 187,
  kImportPictureNormal = 153,
  kImportPictureDisabled = 151,
  kImportPicturePressed = 188,
  kExportPictureNormal = 154,
  kExportPictureHot = 211,
  kExportPictureDisabled = 152,
  kExportPicturePressed = 189,
  kSaveNormal = 149,
  kSaveHot = 150,
  kSaveDisabled = 148,
  kSavePressed = 191,
  kClearAllNormal = 195,
  kClearAllHot = 194,
  kClearAllDisabled = 196,
  kClearAllPressed = 197,
  // The message editor's and the chat's buttons. Copy and Attach Picture
  // show their normal image when hot.
  kSendNormal = 118,
  kSendHot = 141,
  kSendDisabled = 132,
  kSendPressed = 181,
  kCutNormal = 119,
  kCutHot = 201,
  kCutDisabled = 130,
  kCutPressed = 182,
  kCopyNormal = 120,
  kCopyDisabled = 129,
  kCopyPressed = 183,
  kPasteNormal = 121,
  kPasteHot = 200,
  kPasteDisabled = 131,
  kPastePressed = 184,
  kAttachPictureNormal = 122,
  kAttachPictureDisabled = 135,
  kAttachPicturePressed = 185,
  kRemovePictureNormal = 175,
  kRemovePictureHot = 174,
  kRemovePictureDisabled = 176,
  kRemovePicturePressed = 190,
  // List rows and modules. The message rows show their state: 160 is a
  // read message (and a plain sent one).
  kUnreadItem = 159,
  kMessageItem = 160,
  kRepliedItem = 161,
  kForwardedItem = 162,
  kRepliedForwardedItem = 163,
  kPictureItem = 193,
  kInbox = 166,
  kContacts = 167,
  kOutbox = 168,
  kSent = 169,
  kReports = 170,
  kContactItem = 172,
  // The chat's Send button beside the text.
  kChatSend = 210,
};

QIcon IconForResource(IconId id);
// An action button's four images (normal, hot, disabled, pressed) as one
// icon, for the action that the button shows.
QIcon ButtonIcon(const std::array<IconId, 4>& ids);

}  // namespace zeph
