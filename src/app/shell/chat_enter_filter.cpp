#include "app/shell/chat_enter_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace zeph {
namespace {

bool Within(const QObject* object, const QWidget* window) {
  const auto* widget = qobject_cast<const QWidget*>(object);
  return window != nullptr && widget != nullptr &&
         (widget == window || window->isAncestorOf(widget));
}

}  // namespace

ChatEnterFilter::ChatEnterFilter(ChatEnterScope scope, QObject* parent)
    : QObject(parent), scope_(std::move(scope)) {}

bool ChatEnterFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !scope_.chatOpen()) return false;
  // Key presses reach the filter once per widget they pass through; only
  // the widget that has the focus counts.
  if (!watched->isWidgetType() || !static_cast<QWidget*>(watched)->hasFocus()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  if (key->modifiers() & Qt::ControlModifier) return false;
  for (const QWidget* window : scope_.ownEnter()) {
    if (Within(watched, window)) return false;
  }
  // A modal dialog or an open menu runs a loop of its own, where Enter
  // answers the dialog or picks the item.
  if (QApplication::activeModalWidget() != nullptr ||
      QApplication::activePopupWidget() != nullptr) {
    return false;
  }
  emit SendChatRequested();
  return true;
}

}  // namespace zeph
