#include "app/shell/frame_menus.h"

namespace zeph {

std::map<CommandId, QAction*> BuildMenuBar(QMenuBar* bar, const FolderActions& folder,
                                           QWidget* owner, const CommandSink& sink) {
  std::map<CommandId, QAction*> actions;
  auto add = [&](QMenu* menu, QAction* action, CommandId command) {
    menu->addAction(action);
    owner->addAction(action);  // its shortcut works wherever the frame has the focus
    QObject::connect(action, &QAction::triggered, owner, [sink, command] { sink(command); });
    actions[command] = action;
  };
  auto own = [&](QMenu* menu, const QString& text, CommandId command, const QKeySequence& key) {
    auto* action = new QAction(text, owner);  // owned by the frame
    action->setShortcut(key);
    add(menu, action, command);
  };
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  add(file, folder.newMessage, CommandId::kNew);
  add(file, folder.reply, CommandId::kReply);
  add(file, folder.forward, CommandId::kForward);
  add(file, folder.deleteSelected, CommandId::kDelete);
  add(file, folder.deleteAll, CommandId::kDeleteAll);
  file->addSeparator();
  add(file, folder.savePicture, CommandId::kSavePicture);
  add(file, folder.addToContacts, CommandId::kAddToContacts);
  file->addSeparator();
  own(file, QStringLiteral("&Exit"), CommandId::kExit, QKeySequence(Qt::CTRL | Qt::Key_Q));

  bar->addMenu(QStringLiteral("&View"))->setObjectName(QStringLiteral("ViewMenu"));

  QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
  add(tools, folder.chat, CommandId::kChat);
  own(tools, QStringLiteral("&Picture Library..."), CommandId::kPictureLibrary, {});
  own(tools, QStringLiteral("&Tavik Zeph"), CommandId::kCardManager, {});
  own(tools, QStringLiteral("&Options..."), CommandId::kOptions, {});

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  own(help, QStringLiteral("&Contents"), CommandId::kHelpContents, QKeySequence(Qt::Key_F1));
  own(help, QStringLiteral("&Index"), CommandId::kHelpIndex, {});
  own(help, QStringLiteral("Club &Tavik Web Site"), CommandId::kWebSite, {});
  help->addSeparator();
  own(help, QStringLiteral("&About"), CommandId::kAbout, {});
  return actions;
}

}  // namespace zeph
