#pragma once
// The Outbox: the messages waiting to be sent, each
// with its state ("Waiting", "Sending...", "Failed"), and the module that
// owns the send engine. Its creation starts the send thread on a pipe of
// its own; its destruction stops it, bounded, and kills nothing. "&Resend"
// sends a failed message again; Delete and Delete All leave a message that
// is being sent where it is.
//
// The Outbox list is shared with the send thread: every read and change
// here holds the Outbox lock. The retry entries are the send engine's. The
// thread only posts a notice of a change; the window thread refreshes,
// only while the Outbox is the current module. The window never waits for
// a send.

#include <atomic>
#include <chrono>
#include <memory>

#include "app/folders/message_folder_module.h"

class QPushButton;

namespace zeph {

class SendThread;

struct OutboxSetup {
  // The pause between the send thread's passes, and how long its stop
  // waits for a request in flight.
  std::chrono::milliseconds passInterval{1000};
  std::chrono::milliseconds stopGrace{15000};
};

class OutboxModule final : public MessageFolderModule {
  Q_OBJECT

 public:
  OutboxModule(int index, const ModuleServices& services, OutboxSetup setup, QWidget* parent);
  // Stops the send thread before anything it uses goes.
  ~OutboxModule() override;

  // New; Delete (confirmed already) of the selected record unless it is
  // being sent. There is no Reply, Forward or Chat here.
  void Command(FolderCommand command) override;
  // Every record that is not being sent.
  void DeleteAll() override;
  // "&Resend": the selected failed record waits again, from no attempts.
  void Resend();

  QPushButton* ResendButton() const { return resend_; }

 protected:
  // No file is read: the list in memory is the queue. Every record gets
  // its retry entry.
  void Reload() override;
  // "&Resend" off until a failed record is selected again.
  void FinishRefresh(RefreshReason reason) override;
  // "&Resend" follows the selected record's state.
  void RowsSelected(const std::vector<int>& keys) override;

  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // Called on the send thread, without a lock, whenever the Outbox
  // changed: posts EngineChanged to the window thread, at most one waiting.
  void PostEngineChanged();
  // On the window thread: the Outbox as it is now, when it is on screen.
  void EngineChanged();

  QPushButton* resend_;
  QPushButton* resendAll_;  // never shown
  std::unique_ptr<SendThread> engine_;
  std::atomic<bool> refreshQueued_{false};
};

}  // namespace zeph
