#pragma once
// Record times as absolute time values: 100-nanosecond units since the
// start of 1601 (the platform's file time), so that times compare and
// subtract exactly, as the folders and the chat need.

#include <cstdint>

#include "core/store/message_record.h"

namespace zeph {

inline constexpr int64_t kFileTimeUnitsPerSecond = 10'000'000;
inline constexpr int64_t kFileTimeUnitsPerHour = 36'000'000'000;

// The day of week field is not used: it is worked out from the date.
int64_t FileTimeOf(const RecordTime& time);

// The record time of a file time, day of week included.
RecordTime RecordTimeOf(int64_t fileTime);

// 0 for Sunday to 6 for Saturday.
int DayOfWeek(int year, int month, int day);

}  // namespace zeph
