// zephui's pages against a card service (the emulator's demo card), and its
// window without one.

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QThread>
#include <cstdio>

#include "app/base/asker.h"
#include "app/cardsettings/card_settings_window.h"
#include "app/tools/shots.h"

namespace zeph {
namespace {

// The window asks the card service on a thread of its own: the shot waits
// for the answer (a service that does not give one in time shows as such).
void Settle(const CardSettingsWindow& window) {
  QElapsedTimer waited;
  waited.start();
  while (window.busy() && waited.elapsed() < 30000) {
    QApplication::processEvents();
    QThread::msleep(5);
  }
}

}  // namespace

bool SaveCardSettingsShots(const ShotContext& context, const QString& serviceDir,
                           const QString& noServiceDir) {
  MessageBoxAsker asker;
  CardSettingsServices services;
  services.asker = &asker;
  services.ipc.socketDir = noServiceDir.toStdString();
  bool ok = true;
  {
    CardSettingsWindow window(services);
    window.Load();
    Settle(window);
    ok = SaveShot(window, context, "cardsettings-no-service") && ok;
  }
  services.ipc.socketDir = serviceDir.toStdString();
  CardSettingsWindow window(services);
  window.Load();
  Settle(window);
  if (!window.connected()) {
    std::fprintf(stderr, "no card service in %s\n", qPrintable(serviceDir));
    return false;
  }
  auto* tabs = window.findChild<QTabWidget*>();
  const char* names[] = {"cardsettings-connection", "cardsettings-messages", "cardsettings-sim"};
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    ok = SaveShot(window, context, names[i]) && ok;
  }
  return ok;
}

}  // namespace zeph
