#pragma once
// zephui's window: the card's connection, message settings and SIM, read
// from the card service when it loads and written back by Apply. Without a
// card service it says so and offers Retry. The service is asked on a
// thread of its own (CardSettingsLink): the window stays usable meanwhile.

#include <QDialog>
#include <memory>

#include "core/devicelink/ipc_client.h"
#include "core/settings/card_settings.h"

class QDialogButtonBox;
class QLabel;
class QStackedWidget;
class QTabWidget;
class QTimer;

namespace zeph {

class Asker;
class ConnectionPage;
class MessagesPage;
class SimPage;

class CardSettingsLink;
struct CardSettingsLoad;
struct ConnectionReport;

struct CardSettingsServices {
  IpcOptions ipc;          // where the card service is
  Asker* asker = nullptr;  // the common error box, for a refused write
  int refreshMs = 2000;    // how often the connection page asks again
};

class CardSettingsWindow final : public QDialog {
  Q_OBJECT

 public:
  CardSettingsWindow(CardSettingsServices services, QWidget* parent = nullptr);
  ~CardSettingsWindow() override;

  // Connects to the card service and reads what the pages show; without a
  // service (or when it does not answer) the no-service page instead.
  void Load();
  bool connected() const;
  // A load or an Apply asked of the card service and not yet answered.
  bool busy() const;

 private:
  void Apply();
  void ShowLoaded(const CardSettingsLoad& load);
  void ShowConnection(const ConnectionReport& report);
  void ShowApplied(const CardSettingsResult& written, const CardSettings& current);
  void ShowNoService(const QString& why);

  CardSettingsServices services_;
  CardSettings current_;  // what the card holds, as last read or written
  CardSettingsLink* link_;

  QStackedWidget* stack_;
  QWidget* noService_;
  QLabel* noServiceText_;
  QTabWidget* tabs_;
  ConnectionPage* connection_;
  MessagesPage* messages_;
  SimPage* sim_;
  QDialogButtonBox* buttons_;
  QTimer* refresh_;
};

}  // namespace zeph
