// zeph-screenshots FOLDER: renders the main window with each module, the
// About box, the Options dialog, the Picture Library, the Picture Editor
// and the Contacts dialogs offscreen into FOLDER/*.png, for the README. No
// card service and no settings file are used; the SIM phonebook is the
// demo card's.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/base/asker.h"
#include "app/base/control_id.h"
#include "app/base/menus.h"
#include "app/base/program_store.h"
#include "app/contacts/business_card_received_dialog.h"
#include "app/contacts/contact_information_dialog.h"
#include "app/contacts/select_recipient_dialog.h"
#include "app/contacts/send_business_card_dialog.h"
#include "app/pictures/picture_editor_dialog.h"
#include "app/pictures/picture_library_dialog.h"
#include "app/platform/device_card_link.h"
#include "app/shell/about_dialog.h"
#include "app/shell/main_frame.h"
#include "app/shell/options_dialog.h"
#include "core/codecs/business_card.h"
#include "core/folders/clock.h"
#include "core/pictures/picture_ops.h"
#include "core/settings/memory_settings_store.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

// A few 72 x 28 pictures drawn in code for the Picture Library and the
// Picture Editor.
using Shape = std::function<bool(int x, int y)>;

PictureImage Draw(const Shape& black) {
  EditGrid grid{};
  for (int x = 0; x < kPictureWidth; ++x) {
    for (int y = 0; y < kPictureHeight; ++y) grid[GridCellIndex(x, y)] = black(x, y) ? 1 : 0;
  }
  PictureImage picture{};
  PackPicture(grid, picture);
  return picture;
}

bool Heart(int x, int y) {
  // (u² + v² - 1)³ - u² v³ <= 0, about 30 x 24 pixels in the middle.
  const double u = (x - 35.5) / 13.0;
  const double v = (14.0 - y) / 11.0 + 0.1;
  const double f = std::pow(u * u + v * v - 1.0, 3) - u * u * v * v * v;
  return f <= 0;
}

bool Ring(double dx, double dy, double radius, double width) {
  const double d = std::hypot(dx, dy);
  return d <= radius && d > radius - width;
}

bool Smiley(int x, int y) {
  const double dx = x - 35.5;
  const double dy = y - 13.5;
  if (Ring(dx, dy, 13.5, 2.0)) return true;
  if (std::hypot(x - 31.0, y - 9.0) <= 1.6 || std::hypot(x - 40.0, y - 9.0) <= 1.6) return true;
  // The smile: the lower part of a ring.
  return dy > 2.5 && Ring(dx, dy + 1.0, 8.5, 1.6);
}

bool HouseWalls(int x, int y) {
  const bool inWalls = x >= 22 && x <= 49 && y >= 13 && y <= 26;
  const bool wallEdge = x == 22 || x == 23 || x == 48 || x == 49 || y == 25 || y == 26;
  const bool window = x >= 38 && x <= 44 && y >= 16 && y <= 21 &&
                      (x == 38 || x == 44 || y == 16 || y == 21 || x == 41 || y == 18);
  return (inWalls && wallEdge) || window || (y == 27 && x >= 8 && x <= 63);
}

bool House(int x, int y) {
  if (HouseWalls(x, y)) return true;
  // The roof: two slopes from the eaves to the ridge, two pixels thick.
  const int fromMiddle = std::abs(2 * x - 71);
  const int slope = (fromMiddle - 1) / 2 + 1;  // 1 at the ridge
  const bool roof = y >= 1 && y <= 13 && fromMiddle <= 37 && (y == slope || y == slope + 1);
  const bool chimney = (x == 42 || x == 43) && y >= 2 && y <= 6;
  const bool door = x >= 27 && x <= 33 && y >= 17 && y <= 24 && (x == 27 || x == 33 || y == 17);
  return roof || chimney || door;
}

bool Hi(int x, int y) {
  if (y < 4 || y > 23) return false;
  const bool h =
      (x >= 18 && x <= 22) || (x >= 33 && x <= 37) || (x > 22 && x < 33 && y >= 12 && y <= 15);
  const bool i = (x >= 46 && x <= 50) || (x >= 42 && x <= 54 && (y <= 6 || y >= 21));
  return h || i;
}

bool Sun(int x, int y) {
  const double dx = x - 35.5;
  const double dy = y - 13.5;
  const double d = std::hypot(dx, dy);
  if (d <= 6.5) return true;
  // Eight rays between 9 and 13 pixels out.
  const double angle = std::atan2(dy, dx) * 4.0 / 3.14159265358979;
  return d >= 9.0 && d <= 13.5 && std::abs(angle - std::round(angle)) < 0.12;
}

// The library in the screenshots: a heart, a smiley, a house, the word "HI"
// and a sun.
std::vector<PictureImage> SamplePictures() {
  return {Draw(Heart), Draw(Smiley), Draw(House), Draw(Hi), Draw(Sun)};
}

// The house with its roof and door still to draw: a picture half way
// through its drawing.
PictureImage HalfDrawnHouse() {
  return Draw([](int x, int y) { return HouseWalls(x, y) || (y >= 7 && House(x, y) && x < 30); });
}

}  // namespace
}  // namespace zeph

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

  zeph::PictureList& pictures = store.Lists().pictures;
  for (const zeph::PictureImage& picture : zeph::SamplePictures()) {
    pictures.Add(std::make_unique<zeph::PictureImage>(picture));
  }
  {
    // As the message editor opens it, with the smiley chosen.
    zeph::PictureLibraryDialog library(&frame, services, zeph::PictureLibraryUse::kChoose);
    library.List()->setCurrentIndex(library.List()->model()->index(1, 0));
    ok = Save(library, folder + QStringLiteral("/picture-library.png")) && ok;
  }
  pictures.Add(std::make_unique<zeph::PictureImage>(zeph::HalfDrawnHouse()));
  zeph::PictureEditorDialog editor(&frame, pictures, store.Paths().pictures, pictures.Count() - 1);
  ok = Save(editor, folder + QStringLiteral("/picture-editor.png")) && ok;
  ok = SaveContactsDialogs(frame, services, folder) && ok;
  return ok ? 0 : 1;
}
