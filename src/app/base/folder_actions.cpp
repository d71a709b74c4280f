#include "app/base/folder_actions.h"

#include "app/base/command_action.h"
#include "app/base/texts.h"

namespace zeph {

FolderActions MakeFolderActions(QWidget* owner) {
  const auto make = [owner](const char* text, StringId name, const std::array<IconId, 4>& icons,
                            const QKeySequence& key) {
    QAction* action = NewCommandAction(owner, QString::fromLatin1(text), icons);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    SetToolTipWithKey(action, Text(name).trimmed());
    return action;
  };
  FolderActions actions;
  actions.newMessage =
      make("&New...", StringId::kNewTooltip,
           {IconId::kNewNormal, IconId::kNewHot, IconId::kNewDisabled, IconId::kNewPressed},
           QKeySequence(Qt::CTRL | Qt::Key_N));
  actions.reply =
      make("&Reply...", StringId::kReplyTooltip,
           {IconId::kReplyNormal, IconId::kReplyHot, IconId::kReplyDisabled, IconId::kReplyPressed},
           QKeySequence(Qt::CTRL | Qt::Key_R));
  actions.forward = make("&Forward...", StringId::kForwardTooltip,
                         {IconId::kForwardNormal, IconId::kForwardHot, IconId::kForwardDisabled,
                          IconId::kForwardPressed},
                         QKeySequence(Qt::CTRL | Qt::Key_L));
  actions.deleteSelected = make(
      "&Delete", StringId::kDeleteTooltip,
      {IconId::kDeleteNormal, IconId::kDeleteHot, IconId::kDeleteDisabled, IconId::kDeletePressed},
      QKeySequence(Qt::Key_Delete));
  actions.chat =
      make("C&hat...", StringId::kChatTooltip,
           {IconId::kChatNormal, IconId::kChatHot, IconId::kChatDisabled, IconId::kChatPressed},
           QKeySequence(Qt::CTRL | Qt::Key_T));
  actions.deleteAll = new QAction(QStringLiteral("Delete &All"), owner);      // owned by `owner`
  actions.savePicture = new QAction(QStringLiteral("&Save Picture"), owner);  // owned by `owner`
  actions.addToContacts =
      new QAction(QStringLiteral("Add &To Contacts..."), owner);  // owned by `owner`

  actions.contextMenu = new QMenu(owner);  // owned by `owner`
  actions.contextMenu->setObjectName(QStringLiteral("ContextMenu"));
  actions.contextMenu->addActions({actions.savePicture, actions.addToContacts});
  actions.contextMenu->addSeparator();
  actions.contextMenu->addActions(
      {actions.reply, actions.forward, actions.chat, actions.deleteSelected, actions.deleteAll});
  return actions;
}

}  // namespace zeph
