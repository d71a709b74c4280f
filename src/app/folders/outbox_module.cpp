#include "app/folders/outbox_module.h"

#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>
#include <thread>
#include <vector>

#include "app/base/control_id.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/folders/folder_list_view.h"
#include "app/platform/card_link.h"
#include "core/folders/clock.h"
#include "core/folders/outbox_queue.h"
#include "core/folders/send_thread.h"
#include "core/folders/sort_order.h"
#include "core/util/mutex.h"

namespace zeph {
namespace {

// How long the send thread's wish for a refresh waits between tries of an
// Outbox lock held by the window thread.
constexpr std::chrono::milliseconds kLockStep{2};

MessageFolderSetup OutboxFolder(const ModuleServices& services) {
  ProgramStore& store = *services.store;
  MessageFolderSetup setup{FolderList(store.Lists().outbox, store.Paths().outbox), {}, {}, {}};
  // The Status column does not sort.
  setup.columns = {{StringId::kOutboxToColumn, ColumnContent::kNumberName, kSortNameAscending},
                   {StringId::kOutboxDateColumn, ColumnContent::kDateTime, kSortTimeAscending},
                   {StringId::kOutboxStatusColumn, ColumnContent::kOutboxStatus, kSortNone}};
  setup.icons.images = {IconForResource(IconId::kMessageItem)};
  setup.icons.imageOf = [](uint32_t) { return 0; };
  setup.enabling = CommandEnabling{false, false, false, false, 1};
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
      outbox_(services.store->Lists().outbox),
      outboxPath_(services.store->Paths().outbox),
      resend_(MakeButton("&Resend", ControlId::kResend, this)),
      resendAll_(MakeButton("Resend &All", ControlId::kResendAll, this)) {
  setObjectName(QStringLiteral("OutboxModule"));
  AddButtonRow({resend_, resendAll_});
  resend_->setEnabled(false);
  connect(resend_, &QPushButton::clicked, this, &OutboxModule::Resend);

  // The queue as it was left: a record saved while being sent (the program
  // ended during a send) waits again, and one saved as failed stays failed
  // by an entry of five attempts. Nothing sends before the thread starts.
  static_cast<void>(Folder().Load());
  {
    ScopedLock hold(outbox_);
    for (int i = 0; i < outbox_.Count(); ++i) {
      MessageRecord* record = outbox_.GetAt(i);
      if (record->flags & MRF_SENDING) SetOutboxState(*record, MRF_WAITING);
    }
    AddGivenUpEntries(outbox_, retries_, services.clock->TickCount());
  }
  Folder().Save();

  ProgramStore& store = *services.store;
  AppLists& lists = store.Lists();
  engine_ = std::make_unique<SendThread>(SendThreadSetup{
      outbox_,
      outboxPath_,
      retries_,
      SendFiling{lists.sent, store.Paths().sent, lists.reports, store.Paths().reports},
      *services.clock,
      [link = services.link](uint32_t& result, PipeCanceller& canceller) {
        return link->OpenSendPipe(result, canceller);
      },
      [this] { EngineChanged(); },
      setup.passInterval,
      setup.stopGrace,
  });
  engine_->Start();

  SelectRememberedRow();
  resendAll_->hide();
}

OutboxModule::~OutboxModule() {
  // The thread may be waiting for the Outbox lock in EngineChanged: it
  // gives up once it sees the module closing.
  closing_ = true;
  engine_->Stop();
}

void OutboxModule::Command(FolderCommand command) {
  if (command == FolderCommand::kNew) {
    if (!Services().windows->messageEditor) emit OpenEditor(EditorRequest{});
  } else if (command == FolderCommand::kDelete) {
    const int key = SelectedKey();
    if (key < 0) return;
    // A record being sent stays; the refresh shows that either way.
    static_cast<void>(DeleteOutboxRecord(outbox_, retries_, outboxPath_, key));
    Refresh(RefreshReason::kReload);
  }
}

void OutboxModule::DeleteAll() {
  static_cast<void>(DeleteAllOutboxRecords(outbox_, retries_, outboxPath_));
  Refresh(RefreshReason::kReload);
}

void OutboxModule::Resend() {
  const int key = SelectedKey();
  if (key < 0 || !ResendOutboxRecord(outbox_, retries_, outboxPath_, key)) return;
  // The list is not rebuilt (the thread takes the record on its next
  // pass); its row shows "Waiting" at once, and Resend goes off with it.
  Model()->RecordChanged(key);
  RowsSelected({key});
}

void OutboxModule::Reload() {
  ScopedLock hold(outbox_);
  MakeRetryEntries();
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
  if (!event->spontaneous()) onScreen_ = true;
  MessageFolderModule::showEvent(event);
}

void OutboxModule::hideEvent(QHideEvent* event) {
  if (!event->spontaneous()) onScreen_ = false;
  MessageFolderModule::hideEvent(event);
}

void OutboxModule::EngineChanged() {
  // On the send thread. With the Outbox on screen the retry entries are
  // made here and now, as a refresh made before the send would make them:
  // so a record sent for the first time gets its entry while its attempt
  // is in flight, and a failure holds it back the full 5 s. The rows are
  // rebuilt later on the window thread.
  if (onScreen_ && LockOutboxUnlessClosing()) {
    MakeRetryEntries();
    outbox_.unlock();
  }
  // One refresh waiting is enough: it shows the Outbox as it is then.
  if (refreshQueued_.exchange(true)) return;
  QMetaObject::invokeMethod(
      this,
      [module = QPointer<OutboxModule>(this)] {
        if (!module) return;
        module->refreshQueued_ = false;
        if (module->Services().windows->currentModule == module) {
          module->Refresh(RefreshReason::kReload);
        }
      },
      Qt::QueuedConnection);
}

bool OutboxModule::LockOutboxUnlessClosing() {
  for (;;) {
    if (outbox_.TryLock()) return true;
    if (closing_) return false;
    std::this_thread::sleep_for(kLockStep);
  }
}

void OutboxModule::MakeRetryEntries() {
  // A record being sent without an entry is the send thread's attempt in
  // flight, which it could not count: its entry counts it, so that a
  // message that keeps failing is tried five times in all, not six.
  std::vector<uint32_t> inFlight;
  for (const MessageRecord& record : outbox_) {
    if ((record.flags & MRF_SENDING) && !FindRetryEntry(retries_, record.reference)) {
      inFlight.push_back(record.reference);
    }
  }
  AddMissingRetryEntries(outbox_, retries_, Services().clock->TickCount());
  for (uint32_t reference : inFlight) CountAttempt(retries_, reference);
}

std::unique_ptr<FolderModule> CreateOutboxModule(int index, const ModuleServices& services,
                                                 OutboxSetup setup, QWidget* parent) {
  return std::make_unique<OutboxModule>(index, services, setup, parent);
}

}  // namespace zeph
