#pragma once
// Opens the chat window when a module asks for it (the frame's
// ChatRequested), carries the Enter rule's Send and reception's arrivals to
// it, and says who the partner is while it is open. One chat window at a
// time: while one is open, a new request does nothing.

#include <QObject>
#include <QPointer>
#include <string>

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
  // Reception copied a message from the partner into the chat list: the
  // open chat window shows it.
  void ConversationAppended();

  // The open chat window, or none. A closed window counts as gone at once,
  // though it is deleted later.
  ChatWindow* Window() const { return open_; }

 signals:
  // A chat window opened with this partner number (Windows-1252).
  void Opened(const std::string& partnerNumber);
  // The open chat window closed.
  void Closed();

 private:
  void Forget(const ChatWindow* window);

  ChatSetup setup_;
  QPointer<ChatWindow> open_;   // from opening to closing
  QPointer<ChatWindow> alone_;  // a window without owner, deleted here if still open
};

}  // namespace zeph
