#pragma once
// zephui's window: the card's connection, message settings and SIM, read
// from the card service when it loads and written back by Apply. Without a
// card service it says so and offers Retry.

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

 private:
  void Apply();
  void RefreshConnection();
  void ShowNoService(const QString& why);

  CardSettingsServices services_;
  std::unique_ptr<IpcPipe> pipe_;
  CardSettings current_;  // what the card holds, as last read or written

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
