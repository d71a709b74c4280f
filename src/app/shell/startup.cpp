#include "app/shell/startup.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/base/asker.h"
#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/pictures/picture_library_dialog.h"
#include "app/platform/desktop_notifier.h"
#include "app/platform/device_card_link.h"
#include "app/platform/ini_settings_store.h"
#include "app/platform/instance_channel.h"
#include "app/platform/instance_lock.h"
#include "app/platform/runtime_folder.h"
#include "app/shell/frame_windows.h"
#include "app/shell/main_frame.h"
#include "core/folders/clock.h"
#include "core/startup/command_line.h"
#include "core/util/allocator_tuning.h"
#include "core/util/failure_log.h"

namespace zeph {
namespace {

constexpr const char* kUsage =
    "Usage: zephsms [-v] [KEYWORD]\n"
    "Reads, writes, sends and files short messages through the Tavik Zeph card.\n"
    "\n"
    "KEYWORD is the whole command line, in any case:\n"
    "  inbox, outbox, sentitems, statusreport, contacts\n"
    "                 show that folder first (the Inbox otherwise)\n"
    "  stop           end the running instance\n"
    "\n"
    "  -v             before KEYWORD: write the failures the program shows to\n"
    "                 no one (a store file it could not save) to stderr\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "A second start while the program runs ends at once with exit code 1.\n";

// --help and --version are answered before anything else, without a
// display.
bool AnswerInformationRequest(int argc, char** argv) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(kUsage, stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("zephsms %s\n", ZEPH_VERSION);
    return true;
  }
  return false;
}

}  // namespace

std::string JoinedCommandLine(int argc, const char* const* argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

QString DocumentsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/Documents");
  QDir().mkpath(folder);
  return folder;
}

int RunZephSms(int argc, char** argv) {
  if (AnswerInformationRequest(argc, argv)) return 0;

  // -v goes before the keyword, which stays the rest of the line.
  const int verbose = argc >= 2 && std::strcmp(argv[1], "-v") == 0 ? 1 : 0;
  if (verbose) SetFailureSink(FailureToStderr);
  const CommandLineChoice choice =
      ReadCommandLine(JoinedCommandLine(argc - verbose, argv + verbose));

  // The checks before anything is made need no display: a "stop" or a
  // second start also works from a text console.
  if (QString refusal; !CheckRuntimeFolder(&refusal)) {
    std::fprintf(stderr, "zephsms: %s\n", qPrintable(refusal));
    return 1;
  }
  InstanceLock lock(InstanceLock::DefaultPath());
  {
    const QCoreApplication checks(argc, argv);
    RunningFrame running(FrameSocketPath());
    if (choice.stop) {
      running.Send("stop");
      return 1;
    }
    if (!lock.TryTake()) return 1;
    if (running.Found()) {
      running.Send("show");
      return 1;
    }
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zephsms"));
  QApplication::setApplicationVersion(QStringLiteral(ZEPH_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("zephsms"));
  KeepFreedMemoryForReloads();
  QApplication::setWindowIcon(IconForResource(IconId::kApplication));

  // From here a new start finds this one: a "show" or "stop" sent while the
  // frame is still being made waits on the socket until the events are
  // served, and is not lost. "stop" ends the loop, so the program closes
  // its pipes and ends cleanly.
  std::unique_ptr<MainFrame> frame;
  bool stopRequested = false;
  FrameChannel channel(
      [&frame] {
        if (frame) frame->BringToFront();
      },
      [&stopRequested] {
        stopRequested = true;
        QApplication::exit(0);
      });
  static_cast<void>(channel.Listen(FrameSocketPath()));  // without it, the program still runs

  IniSettingsStore settings(IniSettingsStore::DefaultPath());
  DeviceCardLink link;
  link.OpenPipes();

  ProgramStore store(StorePaths::InFolder(QFile::encodeName(DocumentsFolder()).toStdString()));
  MessageBoxAsker asker;
  const SystemClock clock;
  const ModuleServices services{&store, &link,  &settings,
                                &asker, &clock, /*actions: the frame's own*/ nullptr};

  // On the session bus; without one, or without a notification service on
  // it, notices are simply not shown.
  DesktopNotifier notifier(QDBusConnection::sessionBus(), Text(StringId::kProgramTitle),
                           QStringLiteral("zephsms"), nullptr);
  FrameSetup setup;
  setup.notifier = &notifier;
  setup.programFolder = QApplication::applicationDirPath();
  setup.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  frame = std::make_unique<MainFrame>(services, std::move(setup), choice.startModule);
  QObject::connect(frame.get(), &MainFrame::PictureLibraryRequested, frame.get(),
                   [&frame, &services] { ShowPictureLibrary(frame.get(), services); });
  frame->show();
  // The editor and the chat the modules ask for, and Enter that sends from
  // the chat.
  const PictureChooser choosePicture = [&services](QWidget* owner) {
    return ChoosePicture(owner, services);
  };
  new FrameWindows(*frame, services, choosePicture);  // owned by the frame

  static_cast<void>(WriteSettingDefaults(settings));  // nobody needs to know what it wrote

  // A "stop" that came during the start ends the program before its loop.
  const int code = stopRequested ? 0 : QApplication::exec();

  link.ClosePipes();
  frame.reset();
  return code;
}

}  // namespace zeph
