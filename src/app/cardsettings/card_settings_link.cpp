#include "app/cardsettings/card_settings_link.h"

#include "core/devicelink/result_codes.h"

namespace zeph {
namespace {

// The control socket answers from the service's poll loop at once; a
// service that takes longer is treated as not telling.
constexpr int kStatusTimeoutMs = 1000;

}  // namespace

CardSettingsLink::CardSettingsLink(IpcOptions ipc, QObject* parent)
    : QObject(parent), ipc_(std::move(ipc)), worker_(new QObject) {
  ipc_.canceller = &canceller_;
  worker_->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start();
}

CardSettingsLink::~CardSettingsLink() {
  canceller_.Cancel();
  thread_.quit();
  thread_.wait();
  DropPipe();
}

void CardSettingsLink::DropPipe() {
  if (!pipe_) return;
  canceller_.Detach(*pipe_);
  pipe_.reset();
}

template <typename Job>
void CardSettingsLink::Post(Job job) {
  QMetaObject::invokeMethod(worker_, std::move(job), Qt::QueuedConnection);
}

ConnectionReport CardSettingsLink::AskConnection() {
  ConnectionReport report;
  if (pipe_) report.state = ReadConnectionState(*pipe_);
  report.told = ReadServiceStatus(ipc_.socketDir, report.status, kStatusTimeoutMs);
  return report;
}

void CardSettingsLink::Load() {
  ++pendingWork_;
  Post([this] {
    CardSettingsLoad load;
    DropPipe();
    load.opened =
        IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kSyncPipeName, pipe_, ipc_);
    if (load.opened == kResultOk) {
      canceller_.Attach(*pipe_);
      load.read = ReadCardSettings(*pipe_, load.settings);
      if (load.read.ok()) {
        load.haveUsage = ReadSimUsage(*pipe_, load.usage) == kResultOk;
        load.connection = AskConnection();
      }
    } else {
      pipe_.reset();  // never attached: the open detached it
    }
    // Back on the window's thread; dropped if the link is gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, load] {
          --pendingWork_;
          emit Loaded(load);
        },
        Qt::QueuedConnection);
  });
}

void CardSettingsLink::Refresh() {
  if (refreshing_) return;
  refreshing_ = true;
  Post([this] {
    ConnectionReport report = AskConnection();
    QMetaObject::invokeMethod(
        this,
        [this, report] {
          refreshing_ = false;
          emit Refreshed(report);
        },
        Qt::QueuedConnection);
  });
}

void CardSettingsLink::Apply(const CardSettings& current, const CardSettings& wanted) {
  ++pendingWork_;
  Post([this, current, wanted] {
    CardSettings now = current;
    CardSettingsResult written{kIpcNotConnected, CardSettingPart::kNone};
    if (pipe_) written = WriteCardSettings(*pipe_, now, wanted);
    QMetaObject::invokeMethod(
        this,
        [this, written, now] {
          --pendingWork_;
          emit Applied(written, now);
        },
        Qt::QueuedConnection);
  });
}

}  // namespace zeph
