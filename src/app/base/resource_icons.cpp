#include "app/shell/resource_icons.h"

#include <QPainter>
#include <QPixmap>

#include "app/shell/fallback_icons.h"

namespace zeph {
namespace {

// The four images of an action button, in the order of the button record.
enum class Variant { kNormal, kHot, kDisabled, kPressed };

struct IconRow {
  int id;
  const char* themeName;
  IconShape shape;
  Variant variant;
};

constexpr IconRow kIcons[] = {
    {100, "zephsms", IconShape::kApplication, Variant::kNormal},
    // Modules.
    {166, "mail-folder-inbox", IconShape::kInbox, Variant::kNormal},
    {167, "x-office-address-book", IconShape::kContacts, Variant::kNormal},
    {168, "mail-folder-outbox", IconShape::kOutbox, Variant::kNormal},
    {169, "mail-folder-sent", IconShape::kSent, Variant::kNormal},
    {170, "mail-mark-read", IconShape::kReports, Variant::kNormal},
    // Action buttons: New, Reply, Forward, Delete, Chat.
    {113, "mail-message-new", IconShape::kNewMessage, Variant::kNormal},
    {128, "mail-message-new", IconShape::kNewMessage, Variant::kHot},
    {124, "mail-message-new", IconShape::kNewMessage, Variant::kDisabled},
    {177, "mail-message-new", IconShape::kNewMessage, Variant::kPressed},
    {114, "mail-reply-sender", IconShape::kReply, Variant::kNormal},
    {138, "mail-reply-sender", IconShape::kReply, Variant::kHot},
    {125, "mail-reply-sender", IconShape::kReply, Variant::kDisabled},
    {192, "mail-reply-sender", IconShape::kReply, Variant::kPressed},
    {115, "mail-forward", IconShape::kForward, Variant::kNormal},
    {139, "mail-forward", IconShape::kForward, Variant::kHot},
    {126, "mail-forward", IconShape::kForward, Variant::kDisabled},
    {178, "mail-forward", IconShape::kForward, Variant::kPressed},
    {116, "edit-delete", IconShape::kDelete, Variant::kNormal},
    {140, "edit-delete", IconShape::kDelete, Variant::kHot},
    {127, "edit-delete", IconShape::kDelete, Variant::kDisabled},
    {179, "edit-delete", IconShape::kDelete, Variant::kPressed},
    {133, "internet-group-chat", IconShape::kChat, Variant::kNormal},
    {117, "internet-group-chat", IconShape::kChat, Variant::kHot},
    {134, "internet-group-chat", IconShape::kChat, Variant::kDisabled},
    {180, "internet-group-chat", IconShape::kChat, Variant::kPressed},
    // List rows.
    {160, "mail-message", IconShape::kMessageItem, Variant::kNormal},
    {172, "avatar-default", IconShape::kContactItem, Variant::kNormal},
};

const IconRow* Find(int id) {
  for (const IconRow& row : kIcons) {
    if (row.id == id) return &row;
  }
  return nullptr;
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
    painter.fillRect(pixmap.rect(), variant == Variant::kHot ? QColor(255, 255, 255, 40)
                                                             : QColor(0, 0, 0, 40));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

const char* ThemeNameForResource(int id) {
  const IconRow* row = Find(id);
  return row == nullptr ? nullptr : row->themeName;
}

QIcon IconForResource(int id) {
  const IconRow* row = Find(id);
  if (row == nullptr) return {};
  QIcon base = QIcon::fromTheme(QString::fromLatin1(row->themeName));
  if (base.isNull()) base = DrawFallbackIcon(row->shape);
  return Derive(base, row->variant);
}

}  // namespace zeph
