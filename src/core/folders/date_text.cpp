#include "core/folders/date_text.h"

#include <cstdio>

namespace zeph {
namespace {

std::string TimeText(const RecordTime& t) {
  char text[24];
  std::snprintf(text, sizeof text, " %u:%02u", unsigned{t.hour}, unsigned{t.minute});
  return text;
}

}  // namespace

std::string FolderDateTimeText(const RecordTime& t, std::string_view dayName) {
  char date[24];
  std::snprintf(date, sizeof date, " %02u.%02u.%04u", unsigned{t.day}, unsigned{t.month},
                unsigned{t.year});
  return std::string(dayName) + date + TimeText(t);
}

std::string ChatRowDateTimeText(const RecordTime& t) {
  char date[24];
  std::snprintf(date, sizeof date, " %02u.%02u", unsigned{t.day}, unsigned{t.month});
  return date + TimeText(t);
}

std::string ChatTranscriptDateTimeText(const RecordTime& t) {
  char date[24];
  std::snprintf(date, sizeof date, " %02u.%02u %04u", unsigned{t.day}, unsigned{t.month},
                unsigned{t.year});
  return date + TimeText(t);
}

}  // namespace zeph
