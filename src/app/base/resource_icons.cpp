#include "app/base/resource_icons.h"

#include <QPainter>
#include <QPixmap>
#include <optional>

#include "app/base/fallback_icons.h"

namespace zeph {
namespace {

// The four images of an action button, in the order of the button record.
enum class Variant { kNormal, kHot, kDisabled, kPressed };

struct IconRow {
  const char* themeName;
  IconShape shape;
  Variant variant;
};

// Every IconId has its case, so a new id without a picture does not build.
std::optional<IconRow> RowOf(IconId id) {
  switch (id) {
    case IconId::kApplication:
      return IconRow{"zephsms", IconShape::kApplication, Variant::kNormal};
    case IconId::kInbox:
      return IconRow{"mail-folder-inbox", IconShape::kInbox, Variant::kNormal};
    case IconId::kContacts:
      return IconRow{"x-office-address-book", IconShape::kContacts, Variant::kNormal};
    case IconId::kOutbox:
      return IconRow{"mail-folder-outbox", IconShape::kOutbox, Variant::kNormal};
    case IconId::kSent:
      return IconRow{"mail-folder-sent", IconShape::kSent, Variant::kNormal};
    case IconId::kReports:
      return IconRow{"mail-mark-read", IconShape::kReports, Variant::kNormal};
    case IconId::kUnreadItem:
      return IconRow{"mail-unread", IconShape::kUnreadItem, Variant::kNormal};
    case IconId::kMessageItem:
      return IconRow{"mail-message", IconShape::kMessageItem, Variant::kNormal};
    case IconId::kRepliedItem:
      return IconRow{"mail-replied", IconShape::kRepliedItem, Variant::kNormal};
    case IconId::kForwardedItem:
      return IconRow{"mail-forwarded", IconShape::kForwardedItem, Variant::kNormal};
    case IconId::kRepliedForwardedItem:
      // No theme has this one: the replied and the forwarded arrows together.
      return IconRow{"zephsms-replied-forwarded", IconShape::kRepliedForwardedItem,
                     Variant::kNormal};
    case IconId::kPictureItem:
      return IconRow{"zephsms-picture-message", IconShape::kPictureItem, Variant::kNormal};
    case IconId::kContactItem:
      return IconRow{"avatar-default", IconShape::kContactItem, Variant::kNormal};
    case IconId::kChatSend:
      return IconRow{"mail-send", IconShape::kSend, Variant::kNormal};
    case IconId::kNewNormal:
      return IconRow{"mail-message-new", IconShape::kNewMessage, Variant::kNormal};
    case IconId::kNewHot:
      return IconRow{"mail-message-new", IconShape::kNewMessage, Variant::kHot};
    case IconId::kNewDisabled:
      return IconRow{"mail-message-new", IconShape::kNewMessage, Variant::kDisabled};
    case IconId::kNewPressed:
      return IconRow{"mail-message-new", IconShape::kNewMessage, Variant::kPressed};
    case IconId::kReplyNormal:
      return IconRow{"mail-reply-sender", IconShape::kReply, Variant::kNormal};
    case IconId::kReplyHot:
      return IconRow{"mail-reply-sender", IconShape::kReply, Variant::kHot};
    case IconId::kReplyDisabled:
      return IconRow{"mail-reply-sender", IconShape::kReply, Variant::kDisabled};
    case IconId::kReplyPressed:
      return IconRow{"mail-reply-sender", IconShape::kReply, Variant::kPressed};
    case IconId::kForwardNormal:
      return IconRow{"mail-forward", IconShape::kForward, Variant::kNormal};
    case IconId::kForwardHot:
      return IconRow{"mail-forward", IconShape::kForward, Variant::kHot};
    case IconId::kForwardDisabled:
      return IconRow{"mail-forward", IconShape::kForward, Variant::kDisabled};
    case IconId::kForwardPressed:
      return IconRow{"mail-forward", IconShape::kForward, Variant::kPressed};
    case IconId::kDeleteNormal:
      return IconRow{"edit-delete", IconShape::kDelete, Variant::kNormal};
    case IconId::kDeleteHot:
      return IconRow{"edit-delete", IconShape::kDelete, Variant::kHot};
    case IconId::kDeleteDisabled:
      return IconRow{"edit-delete", IconShape::kDelete, Variant::kDisabled};
    case IconId::kDeletePressed:
      return IconRow{"edit-delete", IconShape::kDelete, Variant::kPressed};
    case IconId::kChatNormal:
      return IconRow{"internet-group-chat", IconShape::kChat, Variant::kNormal};
    case IconId::kChatHot:
      return IconRow{"internet-group-chat", IconShape::kChat, Variant::kHot};
    case IconId::kChatDisabled:
      return IconRow{"internet-group-chat", IconShape::kChat, Variant::kDisabled};
    case IconId::kChatPressed:
      return IconRow{"internet-group-chat", IconShape::kChat, Variant::kPressed};
    case IconId::kNewPictureNormal:
      return IconRow{"insert-image", IconShape::kNewPicture, Variant::kNormal};
    case IconId::kNewPictureHot:
      return IconRow{"insert-image", IconShape::kNewPicture, Variant::kHot};
    case IconId::kNewPictureDisabled:
      return IconRow{"insert-image", IconShape::kNewPicture, Variant::kDisabled};
    case IconId::kNewPicturePressed:
      return IconRow{"insert-image", IconShape::kNewPicture, Variant::kPressed};
    case IconId::kEditPictureNormal:
      return IconRow{"document-edit", IconShape::kEditPicture, Variant::kNormal};
    case IconId::kEditPictureHot:
      return IconRow{"document-edit", IconShape::kEditPicture, Variant::kHot};
    case IconId::kEditPictureDisabled:
      return IconRow{"document-edit", IconShape::kEditPicture, Variant::kDisabled};
    case IconId::kEditPicturePressed:
      return IconRow{"document-edit", IconShape::kEditPicture, Variant::kPressed};
    case IconId::kImportPictureNormal:
      return IconRow{"document-import", IconShape::kImportPicture, Variant::kNormal};
    case IconId::kImportPictureDisabled:
      return IconRow{"document-import", IconShape::kImportPicture, Variant::kDisabled};
    case IconId::kImportPicturePressed:
      return IconRow{"document-import", IconShape::kImportPicture, Variant::kPressed};
    case IconId::kExportPictureNormal:
      return IconRow{"document-export", IconShape::kExportPicture, Variant::kNormal};
    case IconId::kExportPictureHot:
      return IconRow{"document-export", IconShape::kExportPicture, Variant::kHot};
    case IconId::kExportPictureDisabled:
      return IconRow{"document-export", IconShape::kExportPicture, Variant::kDisabled};
    case IconId::kExportPicturePressed:
      return IconRow{"document-export", IconShape::kExportPicture, Variant::kPressed};
    case IconId::kSaveNormal:
      return IconRow{"document-save", IconShape::kSave, Variant::kNormal};
    case IconId::kSaveHot:
      return IconRow{"document-save", IconShape::kSave, Variant::kHot};
    case IconId::kSaveDisabled:
      return IconRow{"document-save", IconShape::kSave, Variant::kDisabled};
    case IconId::kSavePressed:
      return IconRow{"document-save", IconShape::kSave, Variant::kPressed};
    case IconId::kClearAllNormal:
      return IconRow{"edit-clear", IconShape::kClearAll, Variant::kNormal};
    case IconId::kClearAllHot:
      return IconRow{"edit-clear", IconShape::kClearAll, Variant::kHot};
    case IconId::kClearAllDisabled:
      return IconRow{"edit-clear", IconShape::kClearAll, Variant::kDisabled};
    case IconId::kClearAllPressed:
      return IconRow{"edit-clear", IconShape::kClearAll, Variant::kPressed};
    case IconId::kSendNormal:
      return IconRow{"mail-send", IconShape::kSend, Variant::kNormal};
    case IconId::kSendHot:
      return IconRow{"mail-send", IconShape::kSend, Variant::kHot};
    case IconId::kSendDisabled:
      return IconRow{"mail-send", IconShape::kSend, Variant::kDisabled};
    case IconId::kSendPressed:
      return IconRow{"mail-send", IconShape::kSend, Variant::kPressed};
    case IconId::kCutNormal:
      return IconRow{"edit-cut", IconShape::kCut, Variant::kNormal};
    case IconId::kCutHot:
      return IconRow{"edit-cut", IconShape::kCut, Variant::kHot};
    case IconId::kCutDisabled:
      return IconRow{"edit-cut", IconShape::kCut, Variant::kDisabled};
    case IconId::kCutPressed:
      return IconRow{"edit-cut", IconShape::kCut, Variant::kPressed};
    case IconId::kCopyNormal:
      return IconRow{"edit-copy", IconShape::kCopy, Variant::kNormal};
    case IconId::kCopyDisabled:
      return IconRow{"edit-copy", IconShape::kCopy, Variant::kDisabled};
    case IconId::kCopyPressed:
      return IconRow{"edit-copy", IconShape::kCopy, Variant::kPressed};
    case IconId::kPasteNormal:
      return IconRow{"edit-paste", IconShape::kPaste, Variant::kNormal};
    case IconId::kPasteHot:
      return IconRow{"edit-paste", IconShape::kPaste, Variant::kHot};
    case IconId::kPasteDisabled:
      return IconRow{"edit-paste", IconShape::kPaste, Variant::kDisabled};
    case IconId::kPastePressed:
      return IconRow{"edit-paste", IconShape::kPaste, Variant::kPressed};
    case IconId::kAttachPictureNormal:
      return IconRow{"insert-image", IconShape::kAttachPicture, Variant::kNormal};
    case IconId::kAttachPictureDisabled:
      return IconRow{"insert-image", IconShape::kAttachPicture, Variant::kDisabled};
    case IconId::kAttachPicturePressed:
      return IconRow{"insert-image", IconShape::kAttachPicture, Variant::kPressed};
    case IconId::kRemovePictureNormal:
      return IconRow{"zephsms-remove-picture", IconShape::kRemovePicture, Variant::kNormal};
    case IconId::kRemovePictureHot:
      return IconRow{"zephsms-remove-picture", IconShape::kRemovePicture, Variant::kHot};
    case IconId::kRemovePictureDisabled:
      return IconRow{"zephsms-remove-picture", IconShape::kRemovePicture, Variant::kDisabled};
    case IconId::kRemovePicturePressed:
      return IconRow{"zephsms-remove-picture", IconShape::kRemovePicture, Variant::kPressed};
  }
  return std::nullopt;  // a number cast from outside the list
}

// The hot, disabled and pressed images are the normal one lightened,
// greyed and darkened, so that a theme's icon gets them too.
QIcon Derive(const QIcon& base, Variant variant) {
  if (variant == Variant::kNormal) return base;
  QIcon icon;
  for (int size : {16, 22, 24, 32}) {
    if (variant == Variant::kDisabled) {
      icon.addPixmap(base.pixmap(QSize(size, size), QIcon::Disabled));
      continue;
    }
    QPixmap pixmap = base.pixmap(QSize(size, size));
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(pixmap.rect(),
                     variant == Variant::kHot ? QColor(255, 255, 255, 40) : QColor(0, 0, 0, 40));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon IconForResource(IconId id) {
  const std::optional<IconRow> row = RowOf(id);
  if (!row) return {};
  QIcon base = QIcon::fromTheme(QString::fromLatin1(row->themeName));
  if (base.isNull()) base = DrawFallbackIcon(row->shape);
  return Derive(base, row->variant);
}

QIcon ButtonIcon(const std::array<IconId, 4>& ids) {
  static constexpr QIcon::Mode kModes[] = {QIcon::Normal, QIcon::Active, QIcon::Disabled,
                                           QIcon::Selected};
  QIcon icon;
  for (size_t i = 0; i < ids.size(); ++i) {
    const QIcon image = IconForResource(ids[i]);
    for (int size : {16, 22, 24}) icon.addPixmap(image.pixmap(size, size), kModes[i]);
  }
  return icon;
}

}  // namespace zeph
