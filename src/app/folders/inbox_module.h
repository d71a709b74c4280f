#pragma once
// The Inbox: the only place messages come in. It
// registers for the card service's indications when it is made and checks
// for them every 500 ms, on screen or not; an arrival reloads it (the
// reception pass runs between its two loads of the file) and asks for the
// module on screen to reload too. Selecting an unread message marks it read. Reply, Forward,
// Chat, Delete, Save Picture and Delete All work on the selection; a
// double click or Enter replies.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/folders/preview_folder_module.h"
#include "core/folders/arrival_notice.h"

class QTimer;

namespace zeph {

class InboxModule final : public PreviewFolderModule {
  Q_OBJECT

 public:
  static constexpr int kArrivalCheckMs = 500;

  InboxModule(int index, const ModuleServices& services, QWidget* parent);

  // One tick of the arrival timer: reads the indications waiting, without
  // waiting for more; each "message arrived" reloads the Inbox and emits
  // MessagesArrived. Nothing while a refresh is running: the indication
  // waits for the next tick.
  void CheckArrivals();
  // Reception copies the partner's arrivals into the chat list.
  void ChatPartnerChanged(const std::optional<std::string>& partnerNumber) override;
  const QTimer* ArrivalTimer() const { return arrivals_; }

  // The rows that show the unread icon.
  int UnreadCount() const;
  // Selects the message with `key`, which shows it and marks it read, and
  // tells MessageShown also when it was selected already. False when the
  // Inbox no longer holds it.
  bool SelectMessage(const MessageKey& key);

 signals:
  // A refresh that ran a reception pass ended, the remembered row selected
  // again; what the pass took for the user, in order (none: no signal).
  void ArrivalsTaken(const std::vector<zeph::Arrival>& arrivals);
  // A message was shown in the preview, and so read.
  void MessageShown(const zeph::MessageKey& key);
  void UnreadCountChanged(int unread);

 protected:
  // The file, then the reception pass under the wait cursor (it saves the
  // file), then the file again.
  void Reload() override;
  // A new unread record is marked listed.
  void Rebuilt() override;
  // The preview emptied, the file saved when hidden, the card service told
  // (0x140006), the remembered row selected again.
  void FinishRefresh(RefreshReason reason) override;
  // The preview, then the read mark: an unread record is marked read and
  // the file saved; any other keeps its flags.
  void RowsSelected(const std::vector<int>& keys) override;
  void OpenRow() override { Reply(); }
  void Reply() override;

 private:
  void TellUnreadCount();

  QTimer* arrivals_;
  std::vector<Arrival> taken_;              // by the pass of the refresh running
  int unread_ = -1;                         // as last told
  std::optional<std::string> chatPartner_;  // none while no chat window is open
};

}  // namespace zeph
