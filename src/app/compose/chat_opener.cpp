#include "app/compose/chat_opener.h"

#include "app/base/program_store.h"

namespace zeph {

ChatOpener::ChatOpener(ChatSetup setup, QObject* parent)
    : QObject(parent), setup_(std::move(setup)) {}

ChatOpener::~ChatOpener() { delete alone_.data(); }

ChatWindow* ChatOpener::Open(const MessageRecord& seed, bool ownedByFrame) {
  if (setup_.services.windows->chatWindow != nullptr) return nullptr;
  StartConversation(setup_.services.store->Lists().chat, seed);
  // Owned by the frame, or deleted when it is closed (or here, at the end).
  auto* window = new ChatWindow(setup_, ownedByFrame ? setup_.frame : nullptr);
  if (!ownedByFrame) alone_ = window;
  window->show();
  return window;
}

void ChatOpener::Send() {
  if (ChatWindow* window = Window()) window->Send();
}

ChatWindow* ChatOpener::Window() const {
  return qobject_cast<ChatWindow*>(setup_.services.windows->chatWindow.data());
}

}  // namespace zeph
