#include "app/tools/chat_screenshot.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <cstdio>

#include "app/base/program_store.h"
#include "app/compose/chat_opener.h"
#include "app/controls/message_text_control.h"
#include "core/folders/clock.h"
#include "core/settings/memory_settings_store.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

constexpr const char* kAnna = "+447700900123";

class NoonClock final : public Clock {
 public:
  uint32_t TickCount() const override { return 0; }
  RecordTime LocalTime() const override { return At(12, 0); }
  static RecordTime At(int hour, int minute) {
    RecordTime time;
    time.year = 2026;
    time.month = 12;
    time.day = 5;
    time.hour = static_cast<uint16_t>(hour);
    time.minute = static_cast<uint16_t>(minute);
    return time;
  }
};

std::unique_ptr<MessageRecord> Entry(const char* number, int hour, int minute, const char* text,
                                     uint32_t flags = 0) {
  auto record = CreateMessageRecord();
  AddNumber(*record, number);
  record->time = NoonClock::At(hour, minute);
  record->text = text;
  record->flags = flags;
  return record;
}

// Two hearts, the larger one at the left.
PictureImage Hearts() {
  PictureImage picture{};
  auto heart = [&picture](double cx, double cy, double size) {
    for (int y = 0; y < kPictureHeight; ++y) {
      for (int x = 0; x < kPictureWidth; ++x) {
        const double u = (x - cx) / size;
        const double v = (cy - y) / size;
        const double a = u * u + v * v - 1;
        if (a * a * a - u * u * v * v * v > 0) continue;
        const int n = y * kPictureWidth + x;
        picture[static_cast<size_t>(n / 8)] |= static_cast<uint8_t>(0x80 >> (n % 8));
      }
    }
  };
  heart(20, 13, 10);
  heart(50, 16, 6.5);
  return picture;
}

}  // namespace

bool SaveChatScreenshot(const ModuleServices& services, QWidget* frame, const QString& path) {
  AppLists& lists = services.store->Lists();
  auto anna = std::make_unique<ContactEntry>();
  anna->location = 1;
  SetFieldText(anna->name, "Anna Berg");
  SetFieldText(anna->number, "07700900123");
  lists.contacts.Add(std::move(anna));
  lists.inbox.Add(Entry(kAnna, 11, 2, "Hi Tom! Are we still on for dinner tonight?"));
  lists.inbox.Add(Entry("+15550100", 11, 20, "Your parcel arrives tomorrow."));
  lists.inbox.Add(Entry(kAnna, 11, 31, "Perfect. I booked a table by the window."));
  auto picture = Entry(kAnna, 11, 32, "See you there", MRF_PICTURE);
  picture->picture = Hearts();
  lists.inbox.Add(std::move(picture));
  lists.inbox.Add(Entry(kAnna, 11, 48, "Lovely. Don't be late this time ;-)"));
  lists.sent.Add(Entry("07700900123", 11, 5,
                       "Yes, of course. Seven o'clock at the Italian place by the river?",
                       MRF_OUTGOING));
  lists.sent.Add(
      Entry(kAnna, 11, 40, "Great, I will bring the tickets for Saturday too.", MRF_OUTGOING));

  const NoonClock clock;
  MemorySettingsStore settings;
  settings.WriteSettingString(kAppSettingsSection, "", kOwnNameSetting, "Tom");
  settings.WriteSettingInt(kAppSettingsSection, "", kChatHoursSetting, 1);
  ModuleServices chatServices = services;
  chatServices.clock = &clock;
  chatServices.settings = &settings;

  bool saved = false;
  {
    ChatOpener opener(ChatSetup{chatServices, frame, {}, {}});
    if (ChatWindow* window = opener.Open(*lists.inbox.GetAt(lists.inbox.Count() - 1), true)) {
      // Typed, so that the counter follows.
      window->TextControl()->Edit()->insertPlainText(QStringLiteral("I won't, promise!"));
      QApplication::processEvents();
      saved = window->grab().save(path);
      delete window;
    }
  }
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  static_cast<void>(lists.inbox.RemoveAll());  // always 1
  static_cast<void>(lists.sent.RemoveAll());
  static_cast<void>(lists.contacts.RemoveAll());
  return saved;
}

}  // namespace zeph
