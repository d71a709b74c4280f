#pragma once
// The message editor: a modeless window over the frame in
// which the user writes a new message, a reply or a forward and sends it
// to one or more recipients. Its action bar holds Send, Cut, Copy, Paste,
// Attach Picture and Remove Picture; below it sits the composer panel. Send
// queues one Outbox record per recipient; Escape and the close box discard
// the message. Whoever opens it keeps to one editor at a time.

#include <QDialog>
#include <array>
#include <functional>

#include "app/base/module_services.h"
#include "core/compose/composer_send.h"

namespace zeph {

class ActionBar;
class ComposerPanel;

// Opens the Picture Library over `owner` for a choice: 0 when nothing was
// chosen, else 1 + the picture's index in the library.
using PictureChooser = std::function<int(QWidget* owner)>;

struct MessageEditorSetup {
  ModuleServices services;
  QWidget* owner = nullptr;  // the frame
  // None: Attach Picture finds no picture to attach.
  PictureChooser choosePicture;
};

class MessageEditor final : public QDialog {
  Q_OBJECT

 public:
  // The editor's commands, by their buttons' positions on its action bar.
  // Each has a key, shown in its tooltip.
  enum Button : int { kSend, kCut, kCopy, kPaste, kAttachPicture, kRemovePicture };

  MessageEditor(const MessageEditorSetup& setup, const EditorRequest& request);
  ~MessageEditor() override;

  // Send: nothing for an empty message; error 75 without a recipient
  // (the editor stays open); otherwise one Outbox record per recipient,
  // MessageQueued, and the editor closes.
  void Send();
  void AttachPicture();
  void RemovePicture();

  QAction* Command(Button button) const { return commands_[button]; }
  ComposerPanel* Panel() const { return panel_; }
  ActionBar* Bar() const { return bar_; }
  bool LongMessagesAllowed() const { return longMessages_; }

 signals:
  // Records were queued: the current module reloads.
  void MessageQueued();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The bar's commands, their keys and what they do.
  void BuildActionBar();
  void FollowClipboard();
  void SetButton(Button button, bool enabled);

  ModuleServices services_;
  PictureChooser choosePicture_;
  ComposerSource source_;
  ServiceCentre serviceCentre_{};
  bool longMessages_ = true;
  ActionBar* bar_;                      // owned by the editor
  std::array<QAction*, 6> commands_{};  // owned by the editor
  ComposerPanel* panel_;                // owned by the editor
  QPixmap strip_;                       // the strip down the left edge
};

// Opens an editor for `request`. It deletes itself when it closes.
MessageEditor* OpenMessageEditor(const MessageEditorSetup& setup, const EditorRequest& request);

}  // namespace zeph
