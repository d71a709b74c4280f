#pragma once
// The frame's side of the arrival notices: a desktop notice for what a
// reception pass took while the frame was not the active window (when the
// user wants notices); a click brings the frame forward on the Inbox with
// the notice's message selected; a notice is withdrawn once the messages
// it announced were read; and the Inbox's entry in the module list and the
// frame's title carry the unread count.

#include <QObject>
#include <map>
#include <vector>

#include "core/folders/arrival_notice.h"

namespace zeph {

class DesktopNotifier;
class InboxModule;
class MainFrame;
struct ModuleServices;
class ProgramStore;
class SettingsStore;

class ArrivalNotices final : public QObject {
  Q_OBJECT

 public:
  // `notifier` none: the unread count only. All outlive this object, which
  // the frame owns.
  ArrivalNotices(MainFrame& frame, InboxModule& inbox, const ModuleServices& services,
                 DesktopNotifier* notifier);

 private:
  void Arrived(const std::vector<Arrival>& arrivals);
  void Read(const MessageKey& key);
  void Clicked(int notice);
  void ShowUnreadCount(int unread);
  // Withdraws the notices whose messages all left the Inbox.
  void ForgetDeleted();
  void Withdraw(std::map<int, ArrivalNotice>::iterator shown);

  MainFrame& frame_;
  InboxModule& inbox_;
  ProgramStore& store_;
  const SettingsStore& settings_;
  DesktopNotifier* notifier_;
  std::map<int, ArrivalNotice> shown_;  // by the notifier's number
};

}  // namespace zeph
