#pragma once
// The card service's wire format: frames, control frames and every request
// of the catalogue with its reply. Shared by the program's request layer and
// by zeph-cardservice, so both sides read the same offsets. All numbers are
// little-endian; every offset counts from the start of the frame, header
// included. docs/card-service.md describes the same layouts in prose.
//
// Frame header (requests, replies, indications, control frames):
//   +0 u32 reserved (0)   +4 u32 messageId   +8 u32 timeoutMs   +12 u32 length
// `length` is the whole frame, header included, 16 to 1 048 576 bytes.
// A reply adds +16 u32 status (0 = success) and its payload from +20.

#include <cstddef>
#include <cstdint>

namespace zeph::wire {

// ---- Frames --------------------------------------------------------------

inline constexpr size_t kReservedOffset = 0;
inline constexpr size_t kMessageIdOffset = 4;
inline constexpr size_t kTimeoutOffset = 8;
inline constexpr size_t kLengthOffset = 12;
inline constexpr size_t kHeaderSize = 16;

inline constexpr size_t kStatusOffset = 16;        // replies only
inline constexpr size_t kReplyPayloadOffset = 20;  // replies only
inline constexpr size_t kMinReplyLength = 20;

inline constexpr size_t kMinFrameLength = kHeaderSize;
inline constexpr size_t kMaxFrameLength = 1048576;

inline constexpr uint32_t kDefaultTimeoutMs = 15000;
inline constexpr uint32_t kPhonebookTimeoutMs = 60000;
inline constexpr uint32_t kSendTimeoutMs = 120000;
inline constexpr uint32_t kNoWaitTimeoutMs = 180000;  // the SendNoWait forms of the 0x14 group

// A reply with this id ends the request with result 2, whatever its status.
inline constexpr uint32_t kErrorReplyId = 0x2010001;

// ---- Control frames (connection set-up, not requests) --------------------

// open: +16 u32 size (65536); +20 char[32] pipe name, zero-filled; length 52.
// Answered by a reply with the same id; status 0 accepts.
inline constexpr uint32_t kOpenId = 0x01000001;
inline constexpr size_t kOpenSizeOffset = 16;
inline constexpr size_t kOpenNameOffset = 20;
inline constexpr size_t kOpenNameSize = 32;
inline constexpr size_t kOpenLength = 52;
inline constexpr uint32_t kOpenTimeoutMs = 15000;  // the longest the client waits for the answer

// register indications: +16 u32 first id; +20 u32 last id (inclusive);
// length 24. No reply.
inline constexpr uint32_t kRegisterId = 0x01000002;
inline constexpr size_t kRegisterFirstOffset = 16;
inline constexpr size_t kRegisterLastOffset = 20;
inline constexpr size_t kRegisterLength = 24;

inline constexpr const char* kServerName = "TavikZeph";
inline constexpr uint32_t kPipeSize = 0x10000;
inline constexpr const char* kSyncPipeName = "SMS sync";
inline constexpr const char* kIndicationPipeName = "SMS ind";
inline constexpr const char* kSendPipeName = "SMSSend sync";

// ---- Indications ---------------------------------------------------------

inline constexpr uint32_t kIndicationFirst = 0x2290000;
inline constexpr uint32_t kIndicationLast = 0x22D0FFF;
inline constexpr uint32_t kMessageArrivedId = 0x2290002;  // no payload, length 16

// ---- Card parameters: 0x0B0001 read, 0x0B0002 write ----------------------

inline constexpr uint32_t kReadCardParamId = 0x0B0001;   // +16 u32 parameter; length 20
inline constexpr uint32_t kWriteCardParamId = 0x0B0002;  // +16 u32 parameter; +20 the value
inline constexpr uint32_t kCardParam3Id = 0x0B0003;      // +16 u32 value
inline constexpr uint32_t kCardParam4Id = 0x0B0004;      // no payload; reply +20 u32
inline constexpr uint32_t kCardParam5Id = 0x0B0005;      // +16 u32 value; reply +20 76 bytes
inline constexpr size_t kParamNumberOffset = 16;
inline constexpr size_t kParamValueOffset = 20;  // 0x0B0002: the value, length - 20 bytes
inline constexpr size_t kCardParam5ReplySize = 76;

inline constexpr uint32_t kParamConnectionState = 0x5001;  // u32
inline constexpr uint32_t kParam500E = 0x500E;             // u32
inline constexpr uint32_t kParamLongMessages = 0x510C;     // u8

// The parameter reads' results when the request fails.
inline constexpr uint32_t kConnectionStateDefault = 0;
inline constexpr uint32_t kParam500EDefault = 0xFFFFFFFF;
inline constexpr uint8_t kLongMessagesDefault = 1;

// Connection state: bits 8 to 12 the connection type, bits 0 to 3 the state.
inline constexpr uint32_t kConnectionTypeMask = 0x1F00;
inline constexpr uint32_t kConnectionStateMask = 0xF;
inline constexpr uint32_t kConnectionGsm = 0x200;
inline constexpr uint32_t kConnectionGprs = 0x400;
inline constexpr uint32_t kConnectedAtLeast = 2;  // states 2 and up are connected

// ---- Card manager control: 0x140001 to 0x14000B --------------------------

inline constexpr uint32_t kCardManagerFirstId = 0x140001;
inline constexpr uint32_t kCardManagerLastId = 0x14000B;
inline constexpr uint32_t kModuleSwitchNoticeId = 0x140006;  // +16 u32 value, always 0
inline constexpr uint32_t kCardManagerDataId = 0x140009;     // +16 23 bytes; +39 u32 n; +43 data
inline constexpr size_t kCardManagerDataFieldOffset = 16;
inline constexpr size_t kCardManagerDataFieldSize = 23;
inline constexpr size_t kCardManagerDataLengthOffset = 39;
inline constexpr size_t kCardManagerDataOffset = 43;
inline constexpr uint32_t kCardManagerNoValueId = 0x14000B;  // the one with no value

// ---- Short messages: 0x290000 to 0x290009 --------------------------------

// 0x290000 send: +16 u8 flag A; +17 u32 flag B (0); +21 u32 flag C (0);
// +25 text[23] destination; +48 the CardMessage (62-byte head + data);
// length 110 + data length. Reply +20 u8 the message reference.
inline constexpr uint32_t kSendMessageId = 0x290000;
inline constexpr size_t kSendFlagAOffset = 16;
inline constexpr size_t kSendFlagBOffset = 17;
inline constexpr size_t kSendFlagCOffset = 21;
inline constexpr size_t kSendDestinationOffset = 25;
inline constexpr size_t kNumberFieldSize = 23;  // text[23]: at most 22 characters and a NUL
inline constexpr size_t kMaxNumberLength = 22;
inline constexpr size_t kSendBlockOffset = 48;
inline constexpr size_t kSendFixedLength = 110;     // up to the block's data
inline constexpr size_t kSendReferenceOffset = 20;  // in the reply

// 0x290003 read / 0x290004 write message-centre settings.
// Reply of 0x290003: +20 text[23] number; +43 u16; +45 u32 (reply length 49).
// Request 0x290004: +16 text[23] number; +39 u16; +41 u32; length 45.
inline constexpr uint32_t kReadCentreSettingsId = 0x290003;
inline constexpr uint32_t kWriteCentreSettingsId = 0x290004;
inline constexpr size_t kCentreReplyNumberOffset = 20;
inline constexpr size_t kCentreReplyValue16Offset = 43;
inline constexpr size_t kCentreReplyValue32Offset = 45;
inline constexpr size_t kCentreReplyLength = 49;
inline constexpr size_t kCentreWriteNumberOffset = 16;
inline constexpr size_t kCentreWriteValue16Offset = 39;
inline constexpr size_t kCentreWriteValue32Offset = 41;
inline constexpr size_t kCentreWriteLength = 45;

// 0x290005 read / 0x290006 write send options: three u32, option 1 (reply
// path), 2 (delivery reports), 3 (passed on as flag A of 0x290000).
// Reply of 0x290005 from +20 (length 32); request 0x290006 from +16 (length 28).
inline constexpr uint32_t kReadSendOptionsId = 0x290005;
inline constexpr uint32_t kWriteSendOptionsId = 0x290006;
inline constexpr size_t kSendOptionsReplyOffset = 20;
inline constexpr size_t kSendOptionsReplyLength = 32;
inline constexpr size_t kSendOptionsWriteOffset = 16;
inline constexpr size_t kSendOptionsWriteLength = 28;

// 0x290007 read one stored message: +16 u8 slot; length 17. Reply from +20
// one CardMessage; a reply under 82 bytes (20 + the 62-byte head) fails.
inline constexpr uint32_t kReadStoredMessageId = 0x290007;
inline constexpr size_t kStoredSlotOffset = 16;
inline constexpr size_t kReadStoredLength = 17;
inline constexpr size_t kStoredMessageOffset = 20;
inline constexpr size_t kMinStoredMessageReply = 82;

// 0x290008 delete one stored message: +16 u32 slot; length 20.
inline constexpr uint32_t kDeleteStoredMessageId = 0x290008;

// 0x290009 stored-message counts: reply +20, +21, +22 one u8 each (length 23).
inline constexpr uint32_t kStoredCountsId = 0x290009;
inline constexpr size_t kCountsReplyOffset = 20;
inline constexpr size_t kCountsReplyLength = 23;

// ---- SIM phonebook: 0x2A0000 to 0x2A0008, 0x2C0010 -----------------------

// 0x2A0000 read all: reply +20 u16 count n; +22 u16 location[512];
// +1046 name[512] of 21 UTF-16 units (42 bytes); +22550 number[512] of
// text[23]. The arrays hold 512 entries whatever n is.
inline constexpr uint32_t kReadPhonebookId = 0x2A0000;
inline constexpr size_t kPhonebookSlots = 512;
inline constexpr size_t kPhonebookCountOffset = 20;
inline constexpr size_t kPhonebookLocationsOffset = 22;
inline constexpr size_t kPhonebookNamesOffset = 1046;
inline constexpr size_t kPhonebookNameSize = 42;  // 21 UTF-16 units
inline constexpr size_t kPhonebookNumbersOffset = 22550;
inline constexpr size_t kPhonebookReplyLength =
    kPhonebookNumbersOffset + kPhonebookSlots * kNumberFieldSize;  // 34326
inline constexpr size_t kMaxContactName = 20;                      // characters, read and written

// 0x2A0001 replace, 0x2A0003 add, 0x2A0004 delete: +16 u16 location (0 for
// add); +18 name as UTF-16 in 42 bytes; +60 text[23] number; length 83.
// The reply of 0x2A0003 gives +20 u16 the new entry's location.
inline constexpr uint32_t kReplaceEntryId = 0x2A0001;
inline constexpr uint32_t kAddEntryId = 0x2A0003;
inline constexpr uint32_t kDeleteEntryId = 0x2A0004;
inline constexpr size_t kEntryLocationOffset = 16;
inline constexpr size_t kEntryNameOffset = 18;
inline constexpr size_t kEntryNumberOffset = 60;
inline constexpr size_t kEntryLength = 83;
inline constexpr size_t kAddedLocationOffset = 20;  // in the reply of 0x2A0003

// 0x2A0007: reply +20 a NUL-terminated text. 0x2A0008: +16 text[23]; length 39.
inline constexpr uint32_t kReadSimTextId = 0x2A0007;
inline constexpr uint32_t kWriteSimTextId = 0x2A0008;
inline constexpr size_t kSimTextOffset = 16;
inline constexpr size_t kWriteSimTextLength = 39;

// 0x2C0010 phonebook limits: reply +20 u32; +24 u32 greatest name length;
// 28 bytes in all.
inline constexpr uint32_t kPhonebookLimitsId = 0x2C0010;
inline constexpr size_t kLimitsFirstOffset = 20;
inline constexpr size_t kLimitsNameOffset = 24;
inline constexpr size_t kLimitsReplyLength = 28;
inline constexpr uint32_t kNameLimitDefault =
    19;  // the Contacts dialog's limit when the read fails

}  // namespace zeph::wire
