#pragma once

#include <string>

#include "core/store/message_record.h"

namespace zeph {

// How many characters of a sent text a pending Delivery reports entry keeps.
inline constexpr size_t kReportExcerptLength = 18;

// The text of a pending Delivery reports entry: "Business Card" for a
// business card, else the first 18 characters of the text followed by
// "...", with line feeds, carriage returns and tabs turned into blanks.
std::string ReportExcerpt(const MessageRecord& record);

}  // namespace zeph
