#pragma once
// The CardMessage block: how every message passes between the program and
// the card service, in both directions. A fixed head of 62 bytes, then the
// message data. Little-endian.
//
//   +0  u8   status      received: taken only with bit 0x02 set and 0x08 clear; sent: 0
//   +1  u8   kind        see the kinds below
//   +2  u8   (unused)
//   +3  u8   reference   message reference; in a delivery report that of the reported message
//   +4  u8   first octet bit 7: reply path
//   +5  u8   protocol identifier  bit 0x40 with low three bits 1..7: replace type
//   +6  u8   report status       kind 6: 0 pending, 1 delivered, 2 failed
//   +7  23   service centre number, zero-terminated
//   +30 23   number: the sender; in a delivery report the reported message's recipient
//   +53 6 x u8 time stamp: year (from 2000), month, day, hour, minute, second; each
//              byte two decimal digits, tens in the LOW nibble, units in the high one
//   +59 u8   (unused)
//   +60 u16  data length
//   +62      data
//
// Picture payload (the data of kinds 3 and 7):
//   +0 u16 text length in bytes, terminator included (kind 7: two bytes a character)
//   +2 u16 picture width in pixels, +4 u16 height
//   +6 the text, then height rows of width / 8 bytes, first pixel in the top bit;
//   a sent payload ends with one more zero byte.

#include <cstddef>
#include <cstdint>

namespace zeph::card_message {

inline constexpr size_t kStatusOffset = 0;
inline constexpr size_t kKindOffset = 1;
inline constexpr size_t kReferenceOffset = 3;
inline constexpr size_t kFirstOctetOffset = 4;
inline constexpr size_t kProtocolIdOffset = 5;
inline constexpr size_t kReportStatusOffset = 6;
inline constexpr size_t kServiceCentreOffset = 7;
inline constexpr size_t kServiceCentreFieldSize = 23;
inline constexpr size_t kNumberOffset = 30;
inline constexpr size_t kNumberFieldSize = 23;
inline constexpr size_t kTimeStampOffset = 53;
inline constexpr size_t kTimeStampSize = 6;
inline constexpr size_t kDataLengthOffset = 60;
inline constexpr size_t kHeadSize = 62;

inline constexpr uint8_t kStatusReceived = 0x02;  // must be set for a message to be taken
inline constexpr uint8_t kStatusSkip = 0x08;      // must be clear
inline constexpr uint8_t kReplyPathBit = 0x80;    // in the first octet
inline constexpr uint8_t kReplaceBit = 0x40;      // in the protocol identifier
inline constexpr uint8_t kReplaceTypeMask = 0x07;

// Message kinds (byte 1).
inline constexpr uint8_t kKindText16 = 0;   // 16-bit characters, second byte of each pair kept
inline constexpr uint8_t kKindText8 = 1;    // and every kind not listed
inline constexpr uint8_t kKindSkipped = 2;  // received blocks of this kind are skipped
inline constexpr uint8_t kKindPicture = 3;  // picture payload, 8-bit text
inline constexpr uint8_t kKindText = 4;     // the kind the program sends for text
inline constexpr uint8_t kKindBusinessCard = 5;
inline constexpr uint8_t kKindReport = 6;     // delivery report
inline constexpr uint8_t kKindPicture16 = 7;  // picture payload, 16-bit text
inline constexpr uint8_t kKindUnknownData = 255;

inline constexpr uint8_t kReportPending = 0;
inline constexpr uint8_t kReportDelivered = 1;
inline constexpr uint8_t kReportFailed = 2;

// Picture payload.
inline constexpr size_t kPayloadTextLengthOffset = 0;
inline constexpr size_t kPayloadWidthOffset = 2;
inline constexpr size_t kPayloadHeightOffset = 4;
inline constexpr size_t kPayloadTextOffset = 6;

// A block built for sending a text or business card is 1127 bytes: the head
// and room for 1064 characters and a terminator.
inline constexpr size_t kTextBlockSize = 1127;
inline constexpr size_t kMaxSentTextLength = kTextBlockSize - kHeadSize - 1;  // 1064

// A sent picture payload: the 6-byte payload head, the text and its
// terminator, the 252 picture bytes and one trailing zero byte, so its data
// length is n + 260 for a text of n characters.
inline constexpr size_t kPayloadHeadSize = 6;
inline constexpr size_t kSentPictureDataExtra = kPayloadHeadSize + 1 + 252 + 1;  // 260

// Received text is assembled in a 1600-byte working buffer; longer data is
// cut to 1599 characters, leaving room for the terminator.
inline constexpr size_t kReceiveBufferSize = 1600;
inline constexpr size_t kMaxReceivedTextLength = kReceiveBufferSize - 1;

}  // namespace zeph::card_message
