#include "core/store/file_time.h"

#include <limits>

namespace zeph {
namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int64_t& m, int64_t& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp + (mp < 10 ? 3 : -9);
  y = yoe + era * 400 + (m <= 2);
}

// 1601-01-01 is this many days before 1970-01-01.
constexpr int64_t kDaysFrom1601To1970 = 134774;
constexpr int64_t kUnitsPerDay = 24 * kFileTimeUnitsPerHour;

}  // namespace

int DayOfWeek(int year, int month, int day) {
  const int64_t days = DaysFromCivil(year, month, day);  // 1970-01-01 was a Thursday
  return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

int64_t FileTimeOf(const RecordTime& t) {
  const int64_t days = DaysFromCivil(t.year, t.month, t.day) + kDaysFrom1601To1970;
  // A damaged record may hold any year up to 65 535 and any hour up to
  // 65 535, which the count cannot reach: such a time saturates, so that it
  // sorts after (or before) every real one instead of wrapping around. The
  // margin of days leaves room for the largest hours, minutes and seconds.
  constexpr int64_t kLastDay = std::numeric_limits<int64_t>::max() / kUnitsPerDay - 4000;
  if (days > kLastDay) return std::numeric_limits<int64_t>::max();
  if (days < -kLastDay) return std::numeric_limits<int64_t>::min();
  const int64_t seconds = int64_t{t.hour} * 3600 + int64_t{t.minute} * 60 + t.second;
  return days * kUnitsPerDay + seconds * kFileTimeUnitsPerSecond + int64_t{t.milliseconds} * 10'000;
}

RecordTime RecordTimeOf(int64_t fileTime) {
  int64_t days = fileTime / kUnitsPerDay;
  int64_t rest = fileTime % kUnitsPerDay;
  if (rest < 0) {
    rest += kUnitsPerDay;
    --days;
  }
  int64_t y = 0, m = 0, d = 0;
  CivilFromDays(days - kDaysFrom1601To1970, y, m, d);
  RecordTime t;
  t.year = static_cast<uint16_t>(y);
  t.month = static_cast<uint16_t>(m);
  t.day = static_cast<uint16_t>(d);
  t.dayOfWeek = static_cast<uint16_t>(
      DayOfWeek(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)));
  const int64_t ms = rest / 10'000;
  t.hour = static_cast<uint16_t>(ms / 3'600'000);
  t.minute = static_cast<uint16_t>(ms / 60'000 % 60);
  t.second = static_cast<uint16_t>(ms / 1000 % 60);
  t.milliseconds = static_cast<uint16_t>(ms % 1000);
  return t;
}

}  // namespace zeph
