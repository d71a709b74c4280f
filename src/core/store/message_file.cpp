#include "core/store/message_file.h"

#include <algorithm>
#include <cstring>

#include "core/store/message_file_layout.h"
#include "core/util/byte_order.h"
#include "core/util/failure_log.h"

namespace zeph {

using namespace message_file;

namespace {

std::string AtOffset(const char* what, size_t offset) {
  return std::string(what) + " at byte " + std::to_string(offset);
}

RecordTime ReadTime(ByteReader& in) {
  RecordTime t;
  t.year = in.U16();
  t.month = in.U16();
  t.dayOfWeek = in.U16();
  t.day = in.U16();
  t.hour = in.U16();
  t.minute = in.U16();
  t.second = in.U16();
  t.milliseconds = in.U16();
  return t;
}

void WriteTime(ByteWriter& out, const RecordTime& t) {
  for (uint16_t v : {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second,
                     t.milliseconds}) {
    out.U16(v);
  }
}

// Reads one record. On a short read returns null after noting where the
// file ended.
std::unique_ptr<MessageRecord> ReadRecord(ByteReader& in, int index, MessageFileParse& parse) {
  const size_t start = in.offset();
  auto truncated = [&](const char* part) {
    parse.problems.push_back(
        {index, in.offset(), std::string("file ends inside the ") + part});
    return nullptr;
  };

  if (in.remaining() < kFixedPartSize) return truncated("record's fixed part");
  auto record = CreateMessageRecord();
  uint16_t mark = in.U16();
  if (mark != kRecordMark) {
    parse.problems.push_back({index, start, "record mark is not 0x003C"});
  }
  record->time = ReadTime(in);
  record->flags = in.U32();
  record->reference = in.U8();
  const size_t numberCount = in.U8();
  in.Bytes(reinterpret_cast<uint8_t*>(record->serviceCentre.data()), kServiceCentreSize);

  for (size_t i = 0; i < numberCount; ++i) {
    NumberBlock number;
    if (!in.Bytes(reinterpret_cast<uint8_t*>(number.data()), kNumberBlockSize)) {
      return truncated("number blocks");
    }
    record->numbers.Add(number);
  }

  const size_t lengthOffset = in.offset();
  const uint16_t textLength = in.U16();
  if (!in.ok()) return truncated("text length");
  std::span<const uint8_t> stored = in.Take(textLength);
  if (!in.ok()) return truncated("text");
  // The text is what the 2048-byte buffer holds up to its first zero byte.
  const size_t kept = std::min<size_t>(stored.size(), kTextBufferSize - 1);
  const auto* bytes = reinterpret_cast<const char*>(stored.data());
  const void* zero = std::memchr(bytes, 0, kept);
  const size_t textSize = zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : kept;
  record->text = std::string(bytes, textSize);
  if (textLength == 0) {
    parse.problems.push_back({index, lengthOffset, "text length is 0 (no terminator)"});
  } else if (textLength > kTextBufferSize) {
    parse.problems.push_back(
        {index, lengthOffset, "text length " + std::to_string(textLength) + " exceeds 2048"});
  } else if (stored[textLength - 1] != 0) {
    parse.problems.push_back({index, lengthOffset + 2, "text is not zero-terminated"});
  }

  if (record->flags & MRF_PICTURE) {
    PictureImage picture{};
    if (!in.Bytes(picture.data(), kPictureBytes)) return truncated("picture");
    record->picture = picture;
  }
  return record;
}

}  // namespace

MessageFileParse ParseMessageFile(std::span<const uint8_t> bytes, MessageList& list) {
  MessageFileParse parse;
  ByteReader in(bytes);
  if (bytes.size() < kHeaderSize) {
    parse.problems.push_back({-1, 0, AtOffset("file is shorter than its 22-byte header", 0)});
    return parse;
  }
  parse.declaredCount = in.U16();
  in.Skip(kReservedSize);
  // No record is shorter than its fixed part and text length, so a count
  // larger than the file could hold does not reserve more than it could.
  const size_t possible = in.remaining() / (kFixedPartSize + kTextLengthSize);
  list.Reserve(list.Count() + static_cast<int>(std::min<size_t>(parse.declaredCount, possible)));
  for (int i = 0; i < parse.declaredCount; ++i) {
    auto record = ReadRecord(in, i, parse);
    if (!record) return parse;
    list.Add(std::move(record));
    ++parse.recordsRead;
  }
  if (in.remaining() > 0) {
    parse.problems.push_back({-1, in.offset(),
                              std::to_string(in.remaining()) + " bytes follow the last record"});
  }
  return parse;
}

std::vector<uint8_t> SerializeMessageFile(const MessageList& list) {
  std::vector<uint8_t> bytes;
  ByteWriter out(bytes);
  out.U16(static_cast<uint16_t>(list.Count()));
  out.Zeros(kReservedSize);
  for (const MessageRecord& record : list) {
    const std::string& text = TextOf(record);
    // The program's texts stay far below the u16 limit; a longer one could
    // not be read back, so it is cut to what the length field can say.
    const size_t textSize = std::min<size_t>(text.size(), 0xFFFE);
    out.U16(kRecordMark);
    WriteTime(out, record.time);
    out.U32(record.flags);
    out.U8(record.reference);
    const int numberCount = std::min(record.numbers.Count(), 255);
    out.U8(static_cast<uint8_t>(numberCount));
    out.Bytes(record.serviceCentre.data(), kServiceCentreSize);
    for (int i = 0; i < numberCount; ++i) out.Bytes(record.numbers.GetAt(i)->data(), kNumberBlockSize);
    out.U16(static_cast<uint16_t>(textSize + 1));
    out.Bytes(text.data(), textSize);
    out.U8(0);
    if (record.flags & MRF_PICTURE) {
      // A record flagged as a picture without one still needs its 252 bytes,
      // or the file could not be read back: a white picture stands in.
      static const PictureImage kWhite{};
      const PictureImage& picture = record.picture ? *record.picture : kWhite;
      out.Bytes(picture.data(), kPictureBytes);
    }
  }
  return bytes;
}

namespace {

bool WriteMessageFile(const std::string& path, const MessageList& list, Durability durability) {
  if (static_cast<size_t>(list.Count()) > kMaxRecords) return false;
  return WriteFileAtomically(path, SerializeMessageFile(list), durability);
}

}  // namespace

int LoadMessageFile(const std::string& path, MessageList& list) {
  list.RemoveAll();
  auto bytes = ReadWholeFile(path);
  if (!bytes) return 0;
  ParseMessageFile(*bytes, list);
  return list.Count();
}

int SaveMessageFile(const std::string& path, const MessageList& list, Durability durability) {
  return WriteMessageFile(path, list, durability) ? list.Count() : 0;
}

void SaveMessageFileOrLog(const std::string& path, const MessageList& list) {
  if (!WriteMessageFile(path, list, Durability::kSynced)) {
    LogFailure("could not save " + path + " (" + std::to_string(list.Count()) +
               " records kept in memory)");
  }
}

}  // namespace zeph
