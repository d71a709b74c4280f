#pragma once
// The Outbox: the messages waiting to be sent, each
// with its state ("Waiting", "Sending...", "Failed"), and the module that
// owns the send engine. Its creation starts the send thread on a pipe of
// its own; its destruction stops it, bounded, and kills nothing. "&Resend"
// sends a failed message again; Delete and Delete All leave a message that
// is being sent where it is.
//
// The Outbox list is shared with the send thread: every read and change
// here holds the Outbox lock, and the retry table is touched only under
// it. The thread's wish to show a change is handed to the window thread,
// which refreshes only while the Outbox is on screen; the window never
// waits for a send.

#include <atomic>
#include <chrono>
#include <memory>

#include "app/folders/message_folder_module.h"
#include "core/folders/retry_table.h"
#include "core/util/thread_annotations.h"

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
  const SendThread& Engine() const { return *engine_; }

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
  // Called on the send thread, without a lock, whenever the Outbox changed.
  void EngineChanged();
  // Takes the Outbox lock unless the module is being destroyed; never
  // waits for a thread that may be waiting for the send thread.
  bool LockOutboxUnlessClosing() TRY_ACQUIRE(true, outbox_);
  // Gives every record without one its retry entry.
  void MakeRetryEntries() REQUIRES(outbox_);

  LockedMessageList& outbox_;
  std::string outboxPath_;
  RetryTable retries_;
  QPushButton* resend_;
  QPushButton* resendAll_;  // never shown
  std::unique_ptr<SendThread> engine_;
  std::atomic<bool> onScreen_{false};
  std::atomic<bool> refreshQueued_{false};
  std::atomic<bool> closing_{false};
};

std::unique_ptr<FolderModule> CreateOutboxModule(int index, const ModuleServices& services,
                                                 OutboxSetup setup, QWidget* parent);

}  // namespace zeph
