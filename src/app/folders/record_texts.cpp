#include "app/folders/record_texts.h"

#include <QLocale>
#include <array>

#include "app/base/texts.h"
#include "core/folders/contact_lookup.h"
#include "core/folders/date_text.h"
#include "core/store/file_time.h"

namespace zeph {
namespace {

// The locale's short day names, Sunday first, looked up once: a folder
// asks for them for every row it paints.
const std::array<QString, 7>& DayNames() {
  static const std::array<QString, 7> names = [] {
    std::array<QString, 7> found;
    const QLocale locale = QLocale::system();
    for (int day = 0; day < 7; ++day) {
      found[static_cast<size_t>(day)] = locale.dayName(day == 0 ? 7 : day, QLocale::ShortFormat);
    }
    return found;
  }();
  return names;
}

}  // namespace

QString NumberNameText(const MessageRecord& record, const ContactList& contacts) {
  return FromCp1252(ContactNameLookup(FirstNumber(record), contacts));
}

QString FolderDateText(const RecordTime& time) {
  // Any stored date has a day of week, a damaged one too.
  const int day = DayOfWeek(time.year, time.month, time.day);
  return DayNames()[static_cast<size_t>(day)] + FromCp1252(FolderDateTimeText(time, {}));
}

}  // namespace zeph
