#pragma once
// zephui's conversation with the card service, on a thread of its own: a
// card that is slow to answer (a modem behind a busy bus, a service under
// load) must not freeze the window. Requests run one after another in the
// order asked; each answer comes back as a signal on the window's thread.

#include <QObject>
#include <QThread>
#include <memory>

#include "core/devicelink/control_link.h"
#include "core/devicelink/ipc_client.h"
#include "core/devicelink/pipe_canceller.h"
#include "core/settings/card_settings.h"

namespace zeph {

// The connection page's facts: the card's state, and the service's own
// report when its control socket answered.
struct ConnectionReport {
  uint32_t state = 0;
  bool told = false;
  ServiceStatus status;
};

// What loading found: no service (opened is not kResultOk), a setting the
// service did not give (read), or the settings, the connection and, when
// told, the SIM's use.
struct CardSettingsLoad {
  uint32_t opened = kResultOk;
  CardSettingsResult read;
  CardSettings settings;
  bool haveUsage = false;
  SimUsage usage;
  ConnectionReport connection;
};

class CardSettingsLink final : public QObject {
  Q_OBJECT

 public:
  explicit CardSettingsLink(IpcOptions ipc, QObject* parent = nullptr);
  // Cancels the request under way (closing the window does not wait for a
  // slow card); what was written before it stays written.
  ~CardSettingsLink() override;

  // Opens a new connection to the service and reads every setting.
  void Load();
  // Asks for the connection's facts, unless the last such question is
  // still unanswered (a timer must not pile questions up behind a slow card).
  void Refresh();
  // Writes what differs between `current` and `wanted` (WriteCardSettings).
  void Apply(const CardSettings& current, const CardSettings& wanted);
  // A load or a write asked for and not yet answered.
  bool busy() const { return pendingWork_ > 0; }

 signals:
  void Loaded(const zeph::CardSettingsLoad& load);
  void Refreshed(const zeph::ConnectionReport& report);
  // `current` is what the card holds after the writes that succeeded.
  void Applied(const zeph::CardSettingsResult& written, const zeph::CardSettings& current);

 private:
  // Runs `job` on the link's thread.
  template <typename Job>
  void Post(Job job);

  // The pipe is opened, used and dropped on the link's thread only; the
  // canceller lets the window's thread cut short what it is waiting for.
  void DropPipe();
  ConnectionReport AskConnection();

  PipeCanceller canceller_;
  IpcOptions ipc_;
  std::unique_ptr<IpcPipe> pipe_;
  int pendingWork_ = 0;  // loads and writes under way
  bool refreshing_ = false;
  QThread thread_;
  QObject* worker_;  // lives on thread_, deleted when it finishes
};

}  // namespace zeph
