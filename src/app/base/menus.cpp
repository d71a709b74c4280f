#include "app/base/menus.h"

namespace zeph {

QAction* AddMenuItem(QMenu* menu, const QString& text, CommandId command) {
  QAction* item = menu->addAction(text);
  item->setProperty(kCommandIdProperty, static_cast<int>(command));
  return item;
}

CommandId CommandOf(const QAction& item) {
  return static_cast<CommandId>(item.property(kCommandIdProperty).toInt());
}

QAction* FindMenuItem(QWidget* menu, CommandId command) {
  if (menu == nullptr) return nullptr;
  // The menus of a menu bar, and submenus, are children of their owner.
  QList<QWidget*> menus{menu};
  for (QMenu* child : menu->findChildren<QMenu*>()) menus << child;
  for (QWidget* each : menus) {
    for (QAction* item : each->actions()) {
      if (!item->isSeparator() && CommandOf(*item) == command) return item;
    }
  }
  return nullptr;
}

int SetMenuItemEnabled(QWidget* menu, CommandId command, int flag) {
  QAction* item = FindMenuItem(menu, command);
  if (item == nullptr) return 0;
  if (flag == 0) item->setEnabled(false);
  if (flag == 1) item->setEnabled(true);
  return 1;
}

ContextMenus::ContextMenus()
    : messageFolders_(std::make_unique<QMenu>()), contacts_(std::make_unique<QMenu>()) {
  QMenu* folders = messageFolders_.get();
  folders->setObjectName(QStringLiteral("ContextMenu"));
  AddMenuItem(folders, QStringLiteral("&Save Picture"), CommandId::kSavePicture);
  AddMenuItem(folders, QStringLiteral("Add &To Contacts..."), CommandId::kAddToContacts);
  folders->addSeparator();
  AddMenuItem(folders, QStringLiteral("&Reply..."), CommandId::kReply);
  AddMenuItem(folders, QStringLiteral("&Forward..."), CommandId::kForward);
  AddMenuItem(folders, QStringLiteral("C&hat..."), CommandId::kChat);
  AddMenuItem(folders, QStringLiteral("&Delete"), CommandId::kDelete);
  AddMenuItem(folders, QStringLiteral("Delete &All"), CommandId::kDeleteAll);

  QMenu* contacts = contacts_.get();
  contacts->setObjectName(QStringLiteral("ContactsContextMenu"));
  AddMenuItem(contacts, QStringLiteral("C&hat..."), CommandId::kChat);
  AddMenuItem(contacts, QStringLiteral("Se&nd..."), CommandId::kSendContact);
  AddMenuItem(contacts, QStringLiteral("&Delete"), CommandId::kDelete);
  AddMenuItem(contacts, QStringLiteral("&Edit..."), CommandId::kEditContact);
}

ContextMenus::~ContextMenus() = default;

}  // namespace zeph
