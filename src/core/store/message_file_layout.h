#pragma once
// Layout of the message store files ("recsms.sms", "outbox.sms",
// "sentsms.sms", "reports.sms"). Little-endian, no padding anywhere.
//
//   header, 22 bytes:  +0 u16 record count; +2 20 reserved bytes (written as
//                      zeros, never read)
//   each record:       +0  u16 record mark 0x003C (written always, ignored
//                          when read)
//                      +2  8 x u16 time: year, month, day of week, day,
//                          hour, minute, second, milliseconds
//                      +18 u32 flags
//                      +22 u8 reference
//                      +23 u8 n, the number count
//                      +24 23 bytes service centre
//                      +47 n x 24-byte number blocks
//                      then u16 t = text length including its terminator,
//                      t text bytes, and 252 picture bytes only when
//                      MRF_PICTURE is set in flags.
//
// A record has no length of its own: a reader parses each record to find
// the next one.

#include <cstddef>
#include <cstdint>

namespace zeph::message_file {

inline constexpr size_t kHeaderSize = 22;
inline constexpr size_t kCountOffset = 0;
inline constexpr size_t kReservedSize = 20;

inline constexpr size_t kMarkOffset = 0;
inline constexpr size_t kTimeOffset = 2;
inline constexpr size_t kFlagsOffset = 18;
inline constexpr size_t kReferenceOffset = 22;
inline constexpr size_t kNumberCountOffset = 23;
inline constexpr size_t kServiceCentreOffset = 24;
inline constexpr size_t kFixedPartSize = 47;
inline constexpr size_t kTextLengthSize = 2;

inline constexpr uint16_t kRecordMark = 0x003C;
// The count is a u16, so a file holds at most this many records.
inline constexpr size_t kMaxRecords = 0xFFFF;
// Texts are read into a buffer of this size: a longer stored text keeps its
// first 2047 bytes and the rest is skipped, so the next record is still found.
inline constexpr size_t kTextBufferSize = 2048;

}  // namespace zeph::message_file
