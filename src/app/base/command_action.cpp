#include "app/base/command_action.h"

namespace zeph {

QAction* NewCommandAction(QObject* owner, const QString& text, const std::array<IconId, 4>& icons) {
  auto* action = new QAction(ButtonIcon(icons), text, owner);  // owned by `owner`
  action->setIconVisibleInMenu(false);
  return action;
}

void SetToolTipWithKey(QAction* action, const QString& name, const QKeySequence& key) {
  const QKeySequence shown = key.isEmpty() ? action->shortcut() : key;
  action->setIconText(name);
  action->setToolTip(shown.isEmpty() ? name
                                     : QStringLiteral("%1 (%2)").arg(
                                           name, shown.toString(QKeySequence::NativeText)));
}

}  // namespace zeph
