#include "core/folders/sort_order.h"

#include <algorithm>

#include "core/folders/contact_lookup.h"
#include "core/folders/folder_status.h"
#include "core/store/file_time.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

// Lower case of a Windows-1252 byte: ASCII and the accented capitals.
unsigned char Fold(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  if (c == 0x8A || c == 0x8C || c == 0x8E)
    return static_cast<unsigned char>(c + 16);  // S, OE, Z caron
  if (c == 0x9F) return 0xFF;                   // Y diaeresis
  return c;
}

// Compared, not subtracted: a damaged record's time may be at either end
// of the range.
int Compare(int64_t a, int64_t b) {
  return a < b ? -1 : a > b ? 1 : 0;
}

int AscendingResult(const MessageRecord& a, const MessageRecord& b, int base,
                    const ContactList& contacts) {
  switch (base) {
    case kSortNameAscending:
      return CompareIgnoringCase(SortNameOf(FirstNumber(a), contacts),
                                 SortNameOf(FirstNumber(b), contacts));
    case kSortTimeAscending:
      return Compare(FileTimeOf(a.time), FileTimeOf(b.time));
    case kSortTextAscending:
      return CompareIgnoringCase(TextOf(a), TextOf(b));
    case kSortStatusAscending:
      return CompareIgnoringCase(ReportStatusText(a.flags), ReportStatusText(b.flags));
    default:
      return 0;
  }
}

}  // namespace

int NextSortCode(int current, int ascending) {
  return current == ascending ? ascending + 1 : ascending;
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int ca = Fold(static_cast<unsigned char>(a[i]));
    const int cb = Fold(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int CompareRecords(const MessageRecord& a, const MessageRecord& b, int sortCode,
                   const ContactList& contacts) {
  if (sortCode < kSortNameAscending || sortCode > kSortStatusDescending) return 0;
  if (sortCode == kSortNumberAscending || sortCode == kSortNumberDescending) return 0;
  const bool descending = sortCode % 2 == 0;
  const int result = AscendingResult(a, b, descending ? sortCode - 1 : sortCode, contacts);
  return descending ? -result : result;
}

int CompareContacts(const ContactEntry& a, const ContactEntry& b, int sortCode) {
  int result = 0;
  switch (sortCode) {
    case kSortNameAscending:
    case kSortNameDescending:
      result = CompareIgnoringCase(FieldText(a.name), FieldText(b.name));
      break;
    case kSortNumberAscending:
    case kSortNumberDescending:
      result = CompareIgnoringCase(FieldText(a.number), FieldText(b.number));
      break;
    default:
      return 0;
  }
  return sortCode % 2 == 0 ? -result : result;
}

}  // namespace zeph
