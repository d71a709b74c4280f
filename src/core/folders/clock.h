#pragma once
// Time as the engines see it: a millisecond tick count (for retry pauses)
// and the local wall-clock time (for the records they make). Tests drive a
// fake clock so that a five-second pause passes in no time.

#include <cstdint>

#include "core/store/message_record.h"

namespace zeph {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; wraps like a 32-bit tick count.
  virtual uint32_t TickCount() const = 0;
  virtual RecordTime LocalTime() const = 0;
};

class SystemClock final : public Clock {
 public:
  uint32_t TickCount() const override;
  RecordTime LocalTime() const override;
};

}  // namespace zeph
