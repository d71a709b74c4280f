// zeph-screenshots FOLDER: renders the main window with each module, the
// About box, the Options dialog and the writing windows offscreen into
// FOLDER/*.png, for the README. No card service and no settings file are
// used.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "app/base/asker.h"
#include "app/base/menus.h"
#include "app/base/program_store.h"
#include "app/compose/add_recipients_dialog.h"
#include "app/compose/composer_panel.h"
#include "app/compose/message_editor.h"
#include "app/controls/message_text_control.h"
#include "app/platform/device_card_link.h"
#include "app/shell/about_dialog.h"
#include "app/shell/main_frame.h"
#include "app/shell/options_dialog.h"
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

// A picture for the editor: two hearts, drawn from the heart curve
// (x² + y² - 1)³ <= x² y³.
zeph::PictureImage Hearts() {
  zeph::PictureImage picture{};
  auto heart = [&picture](int cx, int cy, double size) {
    for (int y = 0; y < zeph::kPictureHeight; ++y) {
      for (int x = 0; x < zeph::kPictureWidth; ++x) {
        const double u = (x - cx) / size;
        const double v = (cy - y) / size;
        const double a = u * u + v * v - 1;
        if (a * a * a > u * u * v * v * v) continue;
        const int n = y * zeph::kPictureWidth + x;
        picture[static_cast<size_t>(n / 8)] |= static_cast<uint8_t>(0x80 >> (n % 8));
      }
    }
  };
  heart(24, 13, 10.5);
  heart(52, 16, 7.0);
  return picture;
}

void AddContact(zeph::ContactList& contacts, const char* name, const char* number) {
  auto contact = std::make_unique<zeph::ContactEntry>();
  zeph::SetFieldText(contact->name, name);
  zeph::SetFieldText(contact->number, number);
  contacts.Add(std::move(contact));
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

  // The writing windows, with a few SIM contacts.
  zeph::ContactList& contacts = store.Lists().contacts;
  AddContact(contacts, "Maija Virtanen", "+358401234567");
  AddContact(contacts, "Jonas Berg", "+46701112233");
  AddContact(contacts, "anna (work)", "0405550199");
  AddContact(contacts, "Pekka", "+358503334455");
  AddContact(contacts, "Lena Fischer", "+4915112345678");
  const zeph::MessageEditorSetup editorSetup{services, &frame, {}};
  zeph::MessageEditor* editor = zeph::OpenMessageEditor(editorSetup, {});
  editor->Panel()->SetRecipients(
      {{"Maija Virtanen", "+358401234567"}, {"+4930901820", "+4930901820"}});
  editor->Panel()->TextControl()->AttachPicture(Hearts());
  editor->Panel()->TextControl()->Edit()->insertPlainText(
      QStringLiteral("Happy birthday! Dinner at ours on Saturday, 7 pm?"));
  ok = Save(*editor, folder + QStringLiteral("/editor.png")) && ok;
  zeph::AddRecipientsDialog recipients(editor, contacts, editor->Panel()->Recipients());
  ok = Save(recipients, folder + QStringLiteral("/add-recipients.png")) && ok;
  return ok ? 0 : 1;
}
