#include "app/folders/outbox_module.h"

#include <QPushButton>
#include <QShowEvent>
#include <algorithm>
#include <vector>

#include "app/base/control_id.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/folders/folder_list_view.h"
#include "app/platform/card_link.h"
#include "core/folders/clock.h"
#include "core/folders/send_thread.h"
#include "core/folders/sort_order.h"
#include "core/util/mutex.h"

namespace zeph {
namespace {

MessageFolderSetup OutboxFolder(const ModuleServices& services) {
  ProgramStore& store = *services.store;
  MessageFolderSetup setup{FolderList(store.Lists().outbox, store.Paths().outbox), {}, {}, {}};
  // The Status column does not sort.
  setup.columns = {{StringId::kOutboxToColumn, ColumnContent::kNumberName, kSortNameAscending},
                   {StringId::kOutboxDateColumn, ColumnContent::kDateTime, kSortTimeAscending},
                   {StringId::kOutboxStatusColumn, ColumnContent::kOutboxStatus, kSortNone}};
  setup.icons.images = {IconForResource(IconId::kMessageItem)};
  setup.icons.imageOf = [](uint32_t) { return 0; };
  setup.enabling = CommandEnabling{};
  return setup;
}

QPushButton* MakeButton(const char* text, ControlId id, QWidget* module) {
  auto* button = new QPushButton(QString::fromLatin1(text), module);  // owned by the module
  SetControlId(button, id);
  return button;
}

}  // namespace

OutboxModule::OutboxModule(int index, const ModuleServices& services, OutboxSetup setup,
                           QWidget* parent)
    : MessageFolderModule(index, services, OutboxFolder(services), parent),
      resend_(MakeButton("&Resend", ControlId::kResend, this)),
      resendAll_(MakeButton("Resend &All", ControlId::kResendAll, this)) {
  setObjectName(QStringLiteral("OutboxModule"));
  AddButtonRow({resend_, resendAll_});
  resend_->setEnabled(false);
  connect(resend_, &QPushButton::clicked, this, &OutboxModule::Resend);

  // The queue as it was left: a record saved while being sent (the program
  // ended during a send) waits again; one saved as failed stays failed (the
  // engine's start sees to that). Nothing sends before the thread starts.
  ProgramStore& store = *services.store;
  AppLists& lists = store.Lists();
  static_cast<void>(Folder().Load());
  {
    ScopedLock hold(lists.outbox);
    for (int i = 0; i < lists.outbox.Count(); ++i) {
      MessageRecord* record = lists.outbox.GetAt(i);
      if (record->flags & MRF_SENDING) SetOutboxState(*record, MRF_WAITING);
    }
  }
  Folder().Save();

  engine_ = std::make_unique<SendThread>(SendThreadSetup{
      lists.outbox,
      store.Paths().outbox,
      SendFiling{lists.sent, store.Paths().sent, lists.reports, store.Paths().reports},
      *services.clock,
      [link = services.link](uint32_t& result, PipeCanceller& canceller) {
        return link->OpenSendPipe(result, canceller);
      },
      [this] { PostEngineChanged(); },
      setup.passInterval,
      setup.stopGrace,
  });
  engine_->Start();

  SelectRememberedRow();
  resendAll_->hide();
}

// The thread waits for nothing of this module's, so its stop is bounded by
// the engine alone.
OutboxModule::~OutboxModule() {
  engine_->Stop();
}

void OutboxModule::Command(FolderCommand command) {
  if (command == FolderCommand::kNew) {
    emit OpenEditor(EditorRequest{});
  } else if (command == FolderCommand::kDelete) {
    const int key = SelectedKey();
    if (key < 0) return;
    // A record being sent stays; the refresh shows that either way.
    static_cast<void>(engine_->DeleteRecord(key));
    Refresh(RefreshReason::kReload);
  }
}

void OutboxModule::DeleteAll() {
  static_cast<void>(engine_->DeleteAllRecords());
  Refresh(RefreshReason::kReload);
}

void OutboxModule::Resend() {
  const int key = SelectedKey();
  if (key < 0 || !engine_->ResendRecord(key)) return;
  // The list is not rebuilt (the thread takes the record on its next
  // pass); its row shows "Waiting" at once, and Resend goes off with it.
  Model()->RecordChanged(key);
  RowsSelected({key});
}

void OutboxModule::Reload() {
  engine_->GiveRetryEntries();
}

void OutboxModule::FinishRefresh(RefreshReason reason) {
  if (reason == RefreshReason::kReload) {
    resend_->setEnabled(false);
    resendAll_->setEnabled(false);
  }
  MessageFolderModule::FinishRefresh(reason);
}

void OutboxModule::RowsSelected(const std::vector<int>& keys) {
  bool failed = false;
  bool anyFailed = false;
  Folder().WithList([&](const MessageList& list) {
    const MessageRecord* record = list.GetAt(keys.back());
    failed = record != nullptr && (record->flags & MRF_GAVEUP) != 0;
    anyFailed = std::any_of(list.begin(), list.end(),
                            [](const MessageRecord& r) { return (r.flags & MRF_GAVEUP) != 0; });
  });
  resend_->setEnabled(failed);
  resendAll_->setEnabled(anyFailed);  // hidden, but kept as the selection says
}

void OutboxModule::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) engine_->SetOutboxShown(true);
  MessageFolderModule::showEvent(event);
}

void OutboxModule::hideEvent(QHideEvent* event) {
  if (!event->spontaneous()) engine_->SetOutboxShown(false);
  MessageFolderModule::hideEvent(event);
}

void OutboxModule::PostEngineChanged() {
  // One notice waiting is enough: its refresh shows the Outbox as it is then.
  if (refreshQueued_.exchange(true)) return;
  QMetaObject::invokeMethod(this, &OutboxModule::EngineChanged, Qt::QueuedConnection);
}

void OutboxModule::EngineChanged() {
  refreshQueued_ = false;
  if (isVisible()) Refresh(RefreshReason::kReload);  // the module on screen
}

}  // namespace zeph
