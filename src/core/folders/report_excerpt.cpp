#include "core/folders/report_excerpt.h"

#include "core/codecs/gsm_text.h"
#include "core/resources/string_table.h"

namespace zeph {

std::string ReportExcerpt(const MessageRecord& record) {
  if (record.flags & MRF_BUSINESSCARD) return std::string(LoadString(69));
  std::string_view text = TextOf(record);
  return BlanksForLineBreaks(text.substr(0, kReportExcerptLength)) + std::string(LoadString(90));
}

}  // namespace zeph
