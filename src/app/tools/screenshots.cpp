// zeph-screenshots FOLDER: renders the main window with each module, the
// About box and the Options dialog offscreen into FOLDER/*.png, for the
// README. No card service and no settings file are used.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "app/base/asker.h"
#include "app/base/menus.h"
#include "app/base/program_store.h"
#include "app/platform/device_card_link.h"
#include "app/shell/about_dialog.h"
#include "app/shell/main_frame.h"
#include "app/shell/options_dialog.h"
#include "app/tools/chat_screenshot.h"
#include "core/folders/clock.h"
#include "core/settings/memory_settings_store.h"

namespace {

bool Save(QWidget& widget, const QString& path) {
  widget.show();
  QApplication::processEvents();
  const bool saved = widget.grab().save(path);
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fputs("Usage: zeph-screenshots FOLDER\n", stderr);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  QTemporaryDir documents;

  zeph::MemorySettingsStore settings;
  static_cast<void>(zeph::WriteSettingDefaults(settings));
  // No card service: an empty socket folder, so the pictures are the same
  // wherever they are made.
  zeph::IpcOptions noService;
  noService.socketDir = documents.path().toStdString();
  zeph::DeviceCardLink link(noService);
  link.OpenPipes();
  zeph::ProgramStore store(zeph::StorePaths::InFolder(documents.path().toStdString()));
  zeph::MessageBoxAsker asker;
  const zeph::SystemClock clock;
  const zeph::ContextMenus menus;
  zeph::OpenWindows windows;
  const zeph::ModuleServices services{&store, &link, &settings, &asker, &clock, &menus, &windows};

  zeph::MainFrame frame(services, {}, 0);
  bool ok = true;
  const char* names[] = {"inbox", "outbox", "sent", "reports", "contacts"};
  for (int i = 0; i < 5; ++i) {
    frame.ChooseModule(i);
    ok = Save(frame, folder + QStringLiteral("/main-%1.png").arg(QLatin1String(names[i]))) && ok;
  }
  zeph::AboutDialog about(&frame);
  ok = Save(about, folder + QStringLiteral("/about.png")) && ok;
  zeph::OptionsDialog options(&frame, settings, link);
  ok = Save(options, folder + QStringLiteral("/options.png")) && ok;
  ok = zeph::SaveChatScreenshot(services, &frame, folder + QStringLiteral("/chat.png")) && ok;
  return ok ? 0 : 1;
}
