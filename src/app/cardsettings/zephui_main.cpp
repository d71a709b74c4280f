// zephui: the card settings of Zeph SMS, started from the frame's Tools menu
// or on its own.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/base/asker.h"
#include "app/cardsettings/card_settings_window.h"

namespace {

constexpr const char* kUsage =
    "Usage: zephui [--socket-dir DIR]\n"
    "Shows and changes the card's settings through the Zeph SMS card service:\n"
    "the connection (and a modem's maker, model, operator and signal), the\n"
    "message centre number, the send options, long messages and the SIM's own\n"
    "number.\n"
    "\n"
    "  --socket-dir DIR  folder of the card service's sockets (default:\n"
    "                    $ZEPH_IPC_DIR, $XDG_RUNTIME_DIR or /tmp/zeph-<uid>)\n"
    "  --help            show this text\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before the QApplication, so that it runs without a display.
  std::string socketDir;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--socket-dir") == 0 && i + 1 < argc) {
      socketDir = argv[++i];
    } else {
      std::fprintf(stderr, "zephui: unknown argument %s\n%s", argv[i], kUsage);
      return 2;
    }
  }
  QApplication app(argc, argv);
  zeph::MessageBoxAsker asker;
  zeph::CardSettingsServices services;
  services.ipc.socketDir = socketDir;
  services.asker = &asker;
  zeph::CardSettingsWindow window(services);
  // The window shows first; the card service is asked once it is up.
  QTimer::singleShot(0, &window, &zeph::CardSettingsWindow::Load);
  window.show();
  window.exec();
  return 0;
}
