// zeph-screenshots FOLDER: renders the main window with each module, the
// About box, the Options dialog and the Contacts dialogs offscreen into
// FOLDER/*.png, for the README. No card service and no settings file are
// used; the SIM phonebook is the demo card's.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "app/base/asker.h"
#include "app/base/control_id.h"
#include "app/base/menus.h"
#include "app/base/program_store.h"
#include "app/contacts/business_card_received_dialog.h"
#include "app/contacts/contact_information_dialog.h"
#include "app/contacts/select_recipient_dialog.h"
#include "app/contacts/send_business_card_dialog.h"
#include "app/platform/device_card_link.h"
#include "app/shell/about_dialog.h"
#include "app/shell/main_frame.h"
#include "app/shell/options_dialog.h"
#include "core/codecs/business_card.h"
#include "core/folders/clock.h"
#include "core/settings/memory_settings_store.h"
#include "core/util/fixed_text.h"

namespace {

bool Save(QWidget& widget, const QString& path) {
  widget.show();
  QApplication::processEvents();
  const bool saved = widget.grab().save(path);
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return saved;
}

// The link without a card service, but with a SIM phonebook to show.
class DemoSimLink final : public zeph::CardLink {
 public:
  explicit DemoSimLink(zeph::CardLink& inner) : inner_(inner) {}
  void OpenPipes() override { inner_.OpenPipes(); }
  void ClosePipes() override { inner_.ClosePipes(); }
  uint32_t NotifyModuleSwitch() override { return inner_.NotifyModuleSwitch(); }
  uint32_t ReadSimPhonebook(zeph::ContactList& contacts) override {
    const char* entries[][2] = {
        {"Anna Berg", "+15550101"},        {"Ben Okafor", "+15550102"},
        {"Clara Jim\xE9nez", "+15550103"}, {"David Lund", "+15550104"},
        {"Eva Novak", "+15550105"},        {"Farid Haddad", "+15550106"},
        {"Grete M\xFCller", "+15550107"},  {"Hiro Tanaka", "+15550108"},
    };
    contacts.RemoveAll();
    uint16_t location = 1;
    for (const auto& [name, number] : entries) {
      auto entry = std::make_unique<zeph::ContactEntry>();
      entry->location = location++;
      zeph::SetFieldText(entry->name, name);
      zeph::SetFieldText(entry->number, number);
      contacts.Add(std::move(entry));
    }
    return 0;
  }
  uint32_t ReadCentreNumber(std::string* number) override {
    return inner_.ReadCentreNumber(number);
  }
  zeph::Pipe* SyncPipe() override { return inner_.SyncPipe(); }
  zeph::IpcPipe* IndicationPipe() override { return inner_.IndicationPipe(); }

 private:
  zeph::CardLink& inner_;
};

// The Contacts dialogs over the frame, with believable content.
bool SaveContactsDialogs(zeph::MainFrame& frame, const zeph::ModuleServices& services,
                         const QString& folder) {
  bool ok = true;
  zeph::ContactInformationDialog information(&frame, services, 4);
  ok = Save(information, folder + QStringLiteral("/contact-information.png")) && ok;
  zeph::SendBusinessCardDialog send(&frame, services, 0);
  zeph::FindControlAs<QLineEdit>(&send, zeph::ControlId::kCardRecipient)
      ->setText(QStringLiteral("+15550102"));
  ok = Save(send, folder + QStringLiteral("/send-business-card.png")) && ok;
  zeph::SelectRecipientDialog select(&frame, services.store->Lists().contacts);
  ok = Save(select, folder + QStringLiteral("/select-recipient.png")) && ok;
  const auto card = zeph::ParseBusinessCardText(
      "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lind;Maja\r\nTEL;CELL:+46 70-123 45 67\r\n"
      "TEL;HOME:+46 8 123 456\r\nTEL;WORK:+46 8 765 432\r\nEND:VCARD\r\n");
  zeph::BusinessCardReceivedDialog received(&frame, services, *card);
  ok = Save(received, folder + QStringLiteral("/business-card-received.png")) && ok;
  return ok;
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
  zeph::DeviceCardLink device(noService);
  DemoSimLink link(device);
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
  ok = SaveContactsDialogs(frame, services, folder) && ok;
  return ok ? 0 : 1;
}
