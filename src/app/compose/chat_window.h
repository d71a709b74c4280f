#pragma once
// The chat window ("Chat"): the recent exchange of messages
// with one partner as a conversation, newest at the bottom, and a text
// field at its foot from which the user answers. What the user sends goes
// into the Outbox for the send engine and into the conversation; what the
// partner sends reception appends, and the window's opener tells it. One
// chat window at a time (ChatOpener), modeless. Closing it empties the
// chat list.

#include <QDialog>
#include <QPixmap>
#include <array>
#include <functional>
#include <string>

#include "app/base/module_services.h"
#include "core/compose/chat_session.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace zeph {

class ActionBar;
class ChatListView;
class MessageTextControl;

struct ChatSetup {
  ModuleServices services;
  // The owner of a chat opened from the Inbox or Sent messages.
  QWidget* frame = nullptr;
  // Opens the Picture Library over `owner` for a choice: 0 when nothing
  // was chosen, else 1 + the picture's index in the library. None: Attach
  // Picture finds nothing to attach.
  std::function<int(QWidget* owner)> choosePicture;
  // Asks where to save the conversation: the file's path, or empty when
  // the user cancelled. None: the save-file dialog (AskChatFileName).
  std::function<QString(QWidget* owner)> askFileName;
};

class ChatWindow final : public QDialog {
  Q_OBJECT

 public:
  // The window's commands, by their buttons' positions on its action bar.
  // Each has a key, shown in its tooltip.
  enum Button : int { kSaveAsText, kAttachPicture, kRemovePicture };

  // Opens the conversation whose seed is the chat list's one entry, over
  // `owner` (none: the window stands alone).
  ChatWindow(const ChatSetup& setup, QWidget* owner);
  ~ChatWindow() override;

  // Send (the button beside the text, or Enter anywhere through the
  // shell's rule): an
  // empty text only takes the focus; otherwise the message is queued in the
  // Outbox, whatever the can-send check says, and shown at the bottom.
  void Send();
  void AttachPicture();
  void RemovePicture();
  // Save As Text: the conversation as a text file where the user says. A
  // file that cannot be written leaves nothing and shows the error box.
  void SaveAsText();
  // Shows the chat list again with its last row selected; `arrival` means
  // the partner's message just came and the status line says when.
  void Refill(bool arrival);

  // The partner's number (Windows-1252), against which reception matches
  // arrivals.
  const std::string& PartnerNumber() const { return opening_.partnerNumber; }
  // A copy of a message from the partner was appended to the chat list:
  // the rows are refilled, the last selected, and the status line says
  // when it came.
  void ConversationAppended();

  const ChatOpening& Opening() const { return opening_; }
  QAction* Command(Button button) const { return commands_[button]; }
  ChatListView* List() const { return list_; }
  MessageTextControl* TextControl() const { return text_; }
  QPushButton* SendButton() const { return send_; }
  QLabel* Counter() const { return counter_; }
  ActionBar* Bar() const { return bar_; }
  QStatusBar* StatusLine() const { return status_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Ctrl+Enter in the text breaks the line: Enter sends.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The constructor's steps: the bar and its commands, the text with the
  // Send button and the counter, and the layout of them all.
  void BuildActionBar();
  void BuildMessageRow();
  void LayOut();
  void TextChanged();
  // The window is gone for the rest of the program: the chat list is
  // emptied, once.
  void Closed();

  ModuleServices services_;
  std::function<int(QWidget*)> choosePicture_;
  std::function<QString(QWidget*)> askFileName_;
  ChatOpening opening_;
  bool closed_ = false;
  ActionBar* bar_;                      // owned by the window
  std::array<QAction*, 3> commands_{};  // owned by the window
  QLabel* partnerLabel_;                // owned by the window
  QLineEdit* partner_;                  // owned by the window
  ChatListView* list_;                  // owned by the window
  MessageTextControl* text_;            // owned by the window
  QPushButton* send_;                   // owned by the window
  QLabel* counter_;                     // owned by the window
  QStatusBar* status_;                  // owned by the window
  QPixmap strip_;                       // the strip down the left edge
};

// The save-file dialog of Save As Text: "Save Conversation", "chat.txt" in
// `folder`, text files, asking before it overwrites. Empty on Cancel.
QString AskChatFileName(QWidget* owner, const QString& folder);

}  // namespace zeph
