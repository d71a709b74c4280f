#include "core/folders/date_text.h"

#include <gtest/gtest.h>

#include "core/store/file_time.h"
#include "support/records.h"

namespace zeph {
namespace {

using testing::At;

TEST(DateTextTest, PicturesOfFoldersAndChat) {
  const RecordTime t = At(2002, 12, 5, 9, 5);
  EXPECT_EQ(FolderDateTimeText(t, "Thu"), "Thu 05.12.2002 9:05");
  EXPECT_EQ(ChatRowDateTimeText(t), " 05.12 9:05");
  EXPECT_EQ(ChatRowDateTimeText(At(2026, 1, 31, 23, 59)), " 31.01 23:59");
}

TEST(FileTimeTest, KnownInstantsAndDaysOfWeek) {
  // 1970-01-01 00:00 is 11 644 473 600 seconds after 1601-01-01.
  EXPECT_EQ(FileTimeOf(At(1970, 1, 1, 0, 0)), 116444736000000000LL);
  EXPECT_EQ(FileTimeOf(At(1601, 1, 1, 0, 0)), 0);
  // A damaged record's year past the count's end sorts after every real time, never before.
  EXPECT_GT(FileTimeOf(At(65535, 99, 99, 65535, 65535, 65535)), FileTimeOf(At(2026, 12, 5, 0, 0)));
  EXPECT_EQ(DayOfWeek(2002, 12, 5), 4);   // Thursday
  EXPECT_EQ(DayOfWeek(2000, 2, 29), 2);   // Tuesday
  EXPECT_EQ(DayOfWeek(2026, 12, 5), 6);   // Saturday
  EXPECT_EQ(DayOfWeek(1969, 12, 27), 6);  // Saturday, before the count's start
}

TEST(FileTimeTest, RoundTripAcrossLeapDaysAndYearEnds) {
  for (RecordTime t : {At(2000, 2, 29, 12, 0, 1), At(2002, 12, 31, 23, 59, 59),
                       At(2100, 3, 1, 0, 0), At(1999, 1, 1, 7, 7, 7)}) {
    t.milliseconds = 123;
    RecordTime back = RecordTimeOf(FileTimeOf(t));
    t.dayOfWeek = static_cast<uint16_t>(DayOfWeek(t.year, t.month, t.day));
    EXPECT_EQ(back, t) << t.year << "-" << t.month << "-" << t.day;
  }
  EXPECT_EQ(FileTimeOf(At(2003, 1, 1, 0, 0)) - FileTimeOf(At(2002, 12, 31, 23, 0)),
            kFileTimeUnitsPerHour);
}

}  // namespace
}  // namespace zeph
