// zeph-screenshots FOLDER: renders the main window with each module, the
// About box, the Options dialog and the windows of each area offscreen into
// FOLDER/*.png, for the README. No card service and no settings file are
// used; the SIM phonebook is the demo card's.
//
// zeph-screenshots FOLDER -SUFFIX [POINTS]: only the frame with the Inbox
// and the message editor, as FOLDER/main-inbox<SUFFIX>.png and
// FOLDER/editor<SUFFIX>.png, with the application font at POINTS when
// given (QT_SCALE_FACTOR in the environment scales the screen).

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "app/base/asker.h"
#include "app/base/program_store.h"
#include "app/platform/device_card_link.h"
#include "app/shell/about_dialog.h"
#include "app/shell/main_frame.h"
#include "app/shell/options_dialog.h"
#include "app/tools/chat_screenshot.h"
#include "app/tools/shots.h"
#include "core/folders/clock.h"
#include "core/settings/memory_settings_store.h"
#include "core/util/fixed_text.h"

namespace zeph {

bool SaveShot(QWidget& widget, const ShotContext& context, const char* name) {
  widget.show();
  QApplication::processEvents();
  const QString path =
      context.folder + QStringLiteral("/%1%2.png").arg(QLatin1String(name), context.suffix);
  const bool saved = widget.grab().save(path);
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return saved;
}

namespace {

// The link without a card service, but with a SIM phonebook to show.
class DemoSimLink final : public CardLink {
 public:
  explicit DemoSimLink(CardLink& inner) : inner_(inner) {}
  void OpenPipes() override { inner_.OpenPipes(); }
  void ClosePipes() override { inner_.ClosePipes(); }
  uint32_t NotifyModuleSwitch() override { return inner_.NotifyModuleSwitch(); }
  uint32_t ReadSimPhonebook(ContactList& contacts) override {
    const char* entries[][2] = {
        {"Anna Berg", "+15550101"},        {"Ben Okafor", "+15550102"},
        {"Clara Jim\xE9nez", "+15550103"}, {"David Lund", "+15550104"},
        {"Eva Novak", "+15550105"},        {"Farid Haddad", "+15550106"},
        {"Grete M\xFCller", "+15550107"},  {"Hiro Tanaka", "+15550108"},
    };
    static_cast<void>(contacts.RemoveAll());  // always 1
    uint16_t location = 1;
    for (const auto& [name, number] : entries) {
      auto entry = std::make_unique<ContactEntry>();
      entry->location = location++;
      SetFieldText(entry->name, name);
      SetFieldText(entry->number, number);
      contacts.Add(std::move(entry));
    }
    return 0;
  }
  uint32_t ReadCentreNumber(std::string* number) override {
    return inner_.ReadCentreNumber(number);
  }
  Pipe* SyncPipe() override { return inner_.SyncPipe(); }
  IpcPipe* IndicationPipe() override { return inner_.IndicationPipe(); }

 private:
  CardLink& inner_;
};

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  using namespace zeph;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  // A second argument that starts with "-" is a suffix; any other is the
  // card service's socket folder.
  const bool variant = argc > 2 && argv[2][0] == '-';
  if (argc < 2 || argc > 4 || (argc == 4 && !variant)) {
    std::fputs("Usage: zeph-screenshots FOLDER [CARD_SERVICE_SOCKET_FOLDER | -SUFFIX [POINTS]]\n",
               stderr);
    return 2;
  }
  const QString suffix = variant ? QString::fromLocal8Bit(argv[2]) : QString();
  if (argc > 3) {
    QFont font = QApplication::font();
    font.setPointSize(std::atoi(argv[3]));
    QApplication::setFont(font);
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  QTemporaryDir documents;

  MemorySettingsStore settings;
  static_cast<void>(WriteSettingDefaults(settings));
  // No card service: an empty socket folder, so the pictures are the same
  // wherever they are made.
  IpcOptions noService;
  noService.socketDir = documents.path().toStdString();
  DeviceCardLink device(noService);
  DemoSimLink link(device);
  link.OpenPipes();
  ProgramStore store(StorePaths::InFolder(documents.path().toStdString()));
  MessageBoxAsker asker;
  const SystemClock clock;
  const ModuleServices services{&store, &link,  &settings,
                                &asker, &clock, /*actions: the frame's own*/ nullptr};

  MainFrame frame(services, {}, 0);
  if (!suffix.isEmpty()) {
    const ShotContext scaled{frame, services, folder, suffix};
    const bool saved = SaveInboxShot(scaled) && SaveEditorShot(scaled);
    return saved ? 0 : 1;
  }
  const ShotContext context{frame, services, folder};
  bool ok = true;
  // The Inbox and Sent messages are taken with their sample records below.
  const std::pair<int, const char*> modules[] = {
      {1, "main-outbox"}, {3, "main-reports"}, {4, "main-contacts"}};
  for (const auto& [index, name] : modules) {
    frame.OpenModule(index);
    ok = SaveShot(frame, context, name) && ok;
  }
  AboutDialog about(&frame);
  ok = SaveShot(about, context, "about") && ok;
  OptionsDialog options(&frame, settings, link);
  ok = SaveShot(options, context, "options") && ok;
  ok = SavePicturesShots(context) && ok;
  ok = SaveContactsShots(context) && ok;
  ok = SaveComposeShots(context) && ok;
  ok = SaveFoldersShots(context) && ok;
  ok = SaveOutboxShots(context) && ok;
  ok = SaveChatScreenshot(services, &frame, folder + QStringLiteral("/chat.png")) && ok;
  // zephui has nothing to show without a card service: its pages only when one is given.
  if (argc == 3 && !variant)
    ok = SaveCardSettingsShots(context, QString::fromLocal8Bit(argv[2]), documents.path()) && ok;
  return ok ? 0 : 1;
}
