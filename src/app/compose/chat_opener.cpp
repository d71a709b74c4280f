#include "app/compose/chat_opener.h"

#include "app/base/program_store.h"

namespace zeph {

ChatOpener::ChatOpener(ChatSetup setup, QObject* parent)
    : QObject(parent), setup_(std::move(setup)) {}

ChatOpener::~ChatOpener() {
  delete alone_.data();
}

ChatWindow* ChatOpener::Open(const MessageRecord& seed, bool ownedByFrame) {
  if (open_ != nullptr) return nullptr;
  StartConversation(setup_.services.store->Lists().chat, seed);
  // Owned by the frame, or deleted when it is closed (or here, at the end).
  auto* window = new ChatWindow(setup_, ownedByFrame ? setup_.frame : nullptr);
  if (!ownedByFrame) alone_ = window;
  open_ = window;
  connect(window, &QDialog::finished, this, [this, window] { Forget(window); });
  window->show();
  emit Opened(window->PartnerNumber());
  return window;
}

void ChatOpener::Forget(const ChatWindow* window) {
  // A closed window is deleted later, when a new one may be open already.
  // One deleted without closing goes with the program, and is forgotten
  // without a word.
  if (open_ != window) return;
  open_ = nullptr;
  emit Closed();
}

void ChatOpener::Send() {
  if (open_ != nullptr) open_->Send();
}

void ChatOpener::ConversationAppended() {
  if (open_ != nullptr) open_->ConversationAppended();
}

}  // namespace zeph
