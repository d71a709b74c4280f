#pragma once
// Date and time texts of records. Only the abbreviated day name depends on
// the desktop's locale, so the caller hands it in; the digits are laid out
// here. Each function names the picture it implements, in the notation of
// the platform's date formatting (d day, M month, y year, H hour, m minute,
// quoted literals).

#include <string>
#include <string_view>

#include "core/store/message_record.h"

namespace zeph {

// "ddd dd'.'MM'.'yyyy" + " H':'mm": the folders' "Date & Time" columns and
// labels, e.g. "Thu 05.12.2002 9:05". `dayName` is the locale's abbreviated
// name of the date's day of week (see DayOfWeek in store/file_time.h).
std::string FolderDateTimeText(const RecordTime& time, std::string_view dayName);

// " dd'.'MM" + " H':'mm": the chat window's row header, e.g. " 05.12 9:05".
std::string ChatRowDateTimeText(const RecordTime& time);

// " dd'.'MM yyyy" + " H':'mm": a saved chat conversation, e.g.
// " 05.12 2002 9:05".
std::string ChatTranscriptDateTimeText(const RecordTime& time);

}  // namespace zeph
