#include "app/shell/arrival_notices.h"

#include <QTimer>

#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/base/texts.h"
#include "app/controls/module_list.h"
#include "app/folders/inbox_module.h"
#include "app/module/module_table.h"
#include "app/platform/desktop_notifier.h"
#include "app/shell/frame_client.h"
#include "app/shell/main_frame.h"
#include "core/settings/settings_store.h"
#include "core/startup/command_line.h"

namespace zeph {

ArrivalNotices::ArrivalNotices(MainFrame& frame, InboxModule& inbox, const ModuleServices& services,
                               DesktopNotifier* notifier)
    : QObject(&frame),
      frame_(frame),
      inbox_(inbox),
      store_(*services.store),
      settings_(*services.settings),
      notifier_(notifier) {
  connect(&inbox, &InboxModule::ArrivalsTaken, this, &ArrivalNotices::Arrived);
  connect(&inbox, &InboxModule::MessageShown, this, &ArrivalNotices::Read);
  connect(&inbox, &InboxModule::UnreadCountChanged, this, &ArrivalNotices::ShowUnreadCount);
  if (notifier_ == nullptr) return;
  connect(notifier_, &DesktopNotifier::Clicked, this, &ArrivalNotices::Clicked);
  connect(notifier_, &DesktopNotifier::Closed, this, [this](int notice) { shown_.erase(notice); });
}

void ArrivalNotices::Arrived(const std::vector<Arrival>& arrivals) {
  ForgetDeleted();
  // While the frame is being made it is not visible yet: what waited on the
  // card at start is on screen a moment later.
  if (notifier_ == nullptr || !NotifyOnArrival(settings_) || !frame_.isVisible() ||
      frame_.isActiveWindow()) {
    return;
  }
  std::optional<ArrivalNotice> notice = ComposeArrivalNotice(arrivals, store_.Lists().contacts);
  if (!notice) return;
  const int shown = notifier_->Show(FromCp1252(notice->title), FromCp1252(notice->body));
  shown_[shown] = std::move(*notice);
}

void ArrivalNotices::Read(const MessageKey& key) {
  for (auto shown = shown_.begin(); shown != shown_.end();) {
    if (MarkRead(shown->second, key)) {
      Withdraw(shown++);
    } else {
      ++shown;
    }
  }
}

void ArrivalNotices::Clicked(int notice) {
  const auto shown = shown_.find(notice);
  if (shown == shown_.end()) return;
  const std::optional<MessageKey> select = shown->second.select;
  Withdraw(shown);
  frame_.BringToFront();
  frame_.OpenModule(kInboxModule);
  if (select) static_cast<void>(inbox_.SelectMessage(*select));  // gone: the Inbox as it is
}

void ArrivalNotices::ShowUnreadCount(int unread) {
  const QString name =
      FromCp1252(NameWithUnreadCount(LoadString(kModuleTable[kInboxModule].name), unread));
  frame_.Client()->List()->SetModuleName(kInboxModule, name);
  const QString title = Text(StringId::kProgramTitle);
  frame_.setWindowTitle(unread > 0 ? name + QStringLiteral(" - ") + title : title);
  // A deletion shows here first; the Inbox is whole again once the
  // refresh that removed the rows has ended.
  QTimer::singleShot(0, this, &ArrivalNotices::ForgetDeleted);
}

void ArrivalNotices::ForgetDeleted() {
  const MessageList& inbox = store_.Lists().inbox;
  for (auto shown = shown_.begin(); shown != shown_.end();) {
    if (ForgetGone(shown->second, inbox)) {
      Withdraw(shown++);
    } else {
      ++shown;
    }
  }
}

void ArrivalNotices::Withdraw(std::map<int, ArrivalNotice>::iterator shown) {
  notifier_->Withdraw(shown->first);
  shown_.erase(shown);
}

}  // namespace zeph
