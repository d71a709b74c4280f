#pragma once
// Opens the chat window when a module asks for it (the frame's
// ChatRequested), and carries the Enter rule's Send to it. One chat window
// at a time: while one is open, a new request does nothing.

#include <QObject>
#include <QPointer>

#include "app/compose/chat_window.h"

namespace zeph {

class ChatOpener final : public QObject {
  Q_OBJECT

 public:
  explicit ChatOpener(ChatSetup setup, QObject* parent = nullptr);
  // Closes a chat window that stands alone; one over the frame goes with
  // the frame.
  ~ChatOpener() override;

  // Unless a chat window is open: the chat list starts afresh from a copy
  // of `seed` and the window opens, over the frame when `ownedByFrame`
  // (the Inbox's and Sent messages' chat), else on its own (Contacts').
  // Returns the new window, or none.
  ChatWindow* Open(const MessageRecord& seed, bool ownedByFrame);
  // Enter from the shell's rule: the open chat window sends.
  void Send();

  // The open chat window, or none.
  ChatWindow* Window() const;

 private:
  ChatSetup setup_;
  QPointer<ChatWindow> alone_;  // a window without owner, deleted here if still open
};

}  // namespace zeph
