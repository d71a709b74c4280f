#include "app/shell/frame_menus.h"

namespace zeph {
namespace {

QAction* AddItem(QMenu* menu, const QString& text, int id, const CommandSink& sink) {
  QAction* action = menu->addAction(text);
  action->setProperty(kCommandIdProperty, id);
  if (sink) QObject::connect(action, &QAction::triggered, menu, [sink, id] { sink(id); });
  return action;
}

}  // namespace

void BuildMenuBar(QMenuBar* bar, const CommandSink& sink) {
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  AddItem(file, QStringLiteral("&New..."), command::kNew, sink);
  AddItem(file, QStringLiteral("&Reply..."), command::kReply, sink);
  AddItem(file, QStringLiteral("&Forward..."), command::kForward, sink);
  AddItem(file, QStringLiteral("&Delete"), command::kDelete, sink);
  AddItem(file, QStringLiteral("Delete &All"), command::kDeleteAll, sink);
  file->addSeparator();
  AddItem(file, QStringLiteral("&Save Picture"), command::kSavePicture, sink);
  AddItem(file, QStringLiteral("Add &To Contacts..."), command::kAddToContacts, sink);
  file->addSeparator();
  AddItem(file, QStringLiteral("&Exit"), command::kExit, sink);

  QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
  AddItem(tools, QStringLiteral("C&hat..."), command::kChat, sink);
  AddItem(tools, QStringLiteral("&Picture Library..."), command::kPictureLibrary, sink);
  AddItem(tools, QStringLiteral("&Tavik Zeph"), command::kCardManager, sink);
  AddItem(tools, QStringLiteral("&Options..."), command::kOptions, sink);

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  AddItem(help, QStringLiteral("&Contents"), command::kHelpContents, sink);
  AddItem(help, QStringLiteral("&Index"), command::kHelpIndex, sink);
  AddItem(help, QStringLiteral("Club &Tavik Web Site"), command::kWebSite, sink);
  help->addSeparator();
  AddItem(help, QStringLiteral("&About"), command::kAbout, sink);
}

std::unique_ptr<QMenu> BuildContextMenu() {
  auto menu = std::make_unique<QMenu>();
  menu->setObjectName(QStringLiteral("ContextMenu199"));
  AddItem(menu.get(), QStringLiteral("&Save Picture"), command::kSavePicture, {});
  AddItem(menu.get(), QStringLiteral("Add &To Contacts..."), command::kAddToContacts, {});
  menu->addSeparator();
  AddItem(menu.get(), QStringLiteral("&Reply..."), command::kReply, {});
  AddItem(menu.get(), QStringLiteral("&Forward..."), command::kForward, {});
  AddItem(menu.get(), QStringLiteral("C&hat..."), command::kChat, {});
  AddItem(menu.get(), QStringLiteral("&Delete"), command::kDelete, {});
  AddItem(menu.get(), QStringLiteral("Delete &All"), command::kDeleteAll, {});
  return menu;
}

QAction* FindMenuItem(QWidget* menu, int commandId) {
  if (menu == nullptr) return nullptr;
  // The menus of a menu bar, and submenus, are children of their owner.
  QList<QWidget*> menus{menu};
  for (QMenu* child : menu->findChildren<QMenu*>()) menus << child;
  for (QWidget* each : menus) {
    for (QAction* action : each->actions()) {
      if (action->property(kCommandIdProperty).toInt() == commandId) return action;
    }
  }
  return nullptr;
}

int SetMenuItemEnabled(QWidget* menu, int commandId, int flag) {
  QAction* item = FindMenuItem(menu, commandId);
  if (item == nullptr) return 0;
  if (flag == 0) item->setEnabled(false);
  if (flag == 1) item->setEnabled(true);
  return 1;
}

}  // namespace zeph
