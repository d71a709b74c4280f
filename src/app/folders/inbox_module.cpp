#include "app/folders/inbox_module.h"

#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <utility>

#include "app/base/asker.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/base/wait_cursor.h"
#include "app/controls/message_text_control.h"
#include "app/folders/folder_list_view.h"
#include "app/platform/card_link.h"
#include "core/devicelink/ipc_client.h"
#include "core/devicelink/wire_layout.h"
#include "core/folders/folder_status.h"
#include "core/folders/reception.h"
#include "core/folders/sort_order.h"
#include "core/util/byte_order.h"

namespace zeph {
namespace {

// Runs `show`, a box the reception pass waits for, with the ordinary
// cursor: the pass runs under the wait cursor, and a box that the user is
// to answer must not look busy.
template <typename Show>
void AnsweredWithoutWaitCursor(const Show& show) {
  QApplication::restoreOverrideCursor();
  show();
  QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

MessageFolderSetup InboxFolder(const ModuleServices& services) {
  ProgramStore& store = *services.store;
  MessageFolderSetup setup{FolderList(store.Lists().inbox, store.Paths().inbox), {}, {}, {}};
  setup.columns = {{StringId::kInboxFromColumn, ColumnContent::kNumberName, kSortNameAscending},
                   {StringId::kInboxDateColumn, ColumnContent::kDateTime, kSortTimeAscending}};
  // In the order of the Inbox's image indices.
  for (IconId icon :
       {IconId::kUnreadItem, IconId::kMessageItem, IconId::kRepliedItem, IconId::kForwardedItem,
        IconId::kRepliedForwardedItem, IconId::kPictureItem}) {
    setup.icons.images.push_back(IconForResource(icon));
  }
  setup.icons.imageOf = InboxIconOf;
  setup.enabling =
      CommandEnabling{.reply = true, .forward = true, .addToContacts = true, .chat = true};
  return setup;
}

}  // namespace

InboxModule::InboxModule(int index, const ModuleServices& services, QWidget* parent)
    : PreviewFolderModule(
          index, services, InboxFolder(services),
          PreviewLabels{"From:", ControlId::kInboxFromLabel, ControlId::kSenderValue},
          SourceFolder::kInbox, parent),
      arrivals_(new QTimer(this)) {  // owned by the module
  setObjectName(QStringLiteral("InboxModule"));
  // The range stays registered, and is registered again whenever the pipe
  // finds a restarted card service; a missing one fails quietly here.
  if (IpcPipe* indications = services.link->IndicationPipe()) {
    static_cast<void>(
        IPCRegisterIndications(*indications, wire::kIndicationFirst, wire::kIndicationLast));
  }
  // Rebuilds, read marks and deletions all pass through the model.
  connect(Model(), &QAbstractItemModel::modelReset, this, &InboxModule::TellUnreadCount);
  connect(Model(), &QAbstractItemModel::dataChanged, this, &InboxModule::TellUnreadCount);
  arrivals_->setInterval(kArrivalCheckMs);
  connect(arrivals_, &QTimer::timeout, this, &InboxModule::CheckArrivals);
  arrivals_->start();
}

void InboxModule::CheckArrivals() {
  IpcPipe* indications = Services().link->IndicationPipe();
  if (indications == nullptr || Refreshing()) return;
  while (IPCGetReadEvent(*indications).IsSignalled()) {
    std::span<const uint8_t> message;
    if (IPCGetMessageReadBuffer(*indications, message) != 0) return;  // the next tick tries again
    if (message.size() < wire::kHeaderSize ||
        ReadU32(message.data() + wire::kMessageIdOffset) != wire::kMessageArrivedId) {
      continue;  // another indication: read and let go
    }
    Refresh(RefreshReason::kReload);
    emit MessagesArrived();
  }
}

void InboxModule::Reload() {
  ProgramStore& store = *Services().store;
  AppLists& lists = store.Lists();
  static_cast<void>(Folder().Load());  // the rows show the count
  Pipe* pipe = Services().link->SyncPipe();
  if (pipe == nullptr) return;

  ReceptionHooks hooks;
  hooks.showError = [asker = Services().asker](int code) {
    AnsweredWithoutWaitCursor([asker, code] { asker->ShowError(code); });
  };
  hooks.businessCardReceived = [this](const MessageRecord& card) {
    AnsweredWithoutWaitCursor([this, &card] { emit BusinessCardReceived(card); });
  };
  hooks.taken = [this](const MessageRecord& record, bool filed) {
    taken_.push_back(ArrivalOf(record, filed));
  };
  hooks.chatAppended = [this] { emit ChatMessageArrived(); };
  {
    // Each request may take its whole time-out with a card service that
    // does not answer, and the window cannot repaint meanwhile.
    const WaitCursor wait;
    static_cast<void>(
        FetchNewMessages(*pipe,
                         ReceptionTargets{lists.inbox, store.Paths().inbox, lists.reports,
                                          store.Paths().reports, lists.chat, chatPartner_},
                         hooks));  // what it took shows in the reload
  }
  static_cast<void>(Folder().Load());
}

void InboxModule::Rebuilt() {
  for (int key = 0;; ++key) {
    MessageRecord* record = Services().store->Lists().inbox.GetAt(key);
    if (record == nullptr) break;
    if (InboxIconOf(record->flags) == kInboxUnread) record->flags |= MRF_LISTED;
  }
}

void InboxModule::FinishRefresh(RefreshReason reason) {
  Preview()->Clear();
  if (reason == RefreshReason::kSaveOnHide) Folder().Save();
  static_cast<void>(Services().link->NotifyModuleSwitch());  // a card service may not care
  SelectRememberedRow();
  if (taken_.empty()) return;
  const std::vector<Arrival> taken = std::exchange(taken_, {});
  emit ArrivalsTaken(taken);
}

int InboxModule::UnreadCount() const {
  const MessageList& inbox = Services().store->Lists().inbox;
  int unread = 0;
  for (int row = 0; row < Model()->rowCount(); ++row) {
    const MessageRecord* record = inbox.GetAt(Model()->KeyOfRow(row));
    if (record != nullptr && InboxIconOf(record->flags) == kInboxUnread) ++unread;
  }
  return unread;
}

void InboxModule::TellUnreadCount() {
  const int unread = UnreadCount();
  if (unread == unread_) return;
  unread_ = unread;
  emit UnreadCountChanged(unread);
}

bool InboxModule::SelectMessage(const MessageKey& key) {
  const int row = Model()->RowOfKey(FindMessage(Services().store->Lists().inbox, key));
  if (row < 0) return false;
  List()->SelectRow(row);
  emit MessageShown(key);
  return true;
}

void InboxModule::RowsSelected(const std::vector<int>& keys) {
  PreviewFolderModule::RowsSelected(keys);
  bool marked = false;
  for (int key : keys) {
    MessageRecord* record = Services().store->Lists().inbox.GetAt(key);
    if (record == nullptr) continue;
    emit MessageShown(KeyOf(*record));
    if (InboxIconOf(record->flags) != kInboxUnread) continue;
    record->flags |= MRF_READ;
    Model()->RecordChanged(key);
    marked = true;
  }
  if (marked) Folder().Save();
}

void InboxModule::ChatPartnerChanged(const std::optional<std::string>& partnerNumber) {
  chatPartner_ = partnerNumber;
}

void InboxModule::Reply() {
  const int key = SelectedKey();
  const MessageRecord* record = Services().store->Lists().inbox.GetAt(key);
  if (record == nullptr) return;
  const auto scratch = ReplyScratch(*record);
  emit OpenEditor(EditorRequest{EditorMode::kReply, scratch.get(), SourceFolder::kInbox, key});
}

}  // namespace zeph
