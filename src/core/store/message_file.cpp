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

// Writes into a buffer already sized to what it will hold: the Sent
// messages file is rewritten for every message sent, so its bytes are laid
// down without a check or a regrowth per field.
class Cursor {
 public:
  explicit Cursor(uint8_t* at) : at_(at) {}
  void U8(uint8_t v) { *at_++ = v; }
  void U16(uint16_t v) {
    WriteU16(at_, v);
    at_ += 2;
  }
  void U32(uint32_t v) {
    WriteU32(at_, v);
    at_ += 4;
  }
  void Bytes(const void* data, size_t n) {
    std::memcpy(at_, data, n);
    at_ += n;
  }
  void Zeros(size_t n) {
    std::memset(at_, 0, n);
    at_ += n;
  }

 private:
  uint8_t* at_;
};

void WriteTime(Cursor& out, const RecordTime& t) {
  for (uint16_t v :
       {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds}) {
    out.U16(v);
  }
}

// Reads one record into `record`, overwriting every field, so that a record
// read again into the same place reuses its memory. On a short read returns
// false after noting where the file ended.
bool ReadRecord(ByteReader& in, int index, MessageFileParse& parse, MessageRecord& record) {
  const size_t start = in.offset();
  auto truncated = [&](const char* part) {
    parse.problems.push_back({index, in.offset(), std::string("file ends inside the ") + part});
    return false;
  };

  if (in.remaining() < kFixedPartSize) return truncated("record's fixed part");
  uint16_t mark = in.U16();
  if (mark != kRecordMark) {
    parse.problems.push_back({index, start, "record mark is not 0x003C"});
  }
  record.time = ReadTime(in);
  record.flags = in.U32();
  record.reference = in.U8();
  const int numberCount = in.U8();
  in.Bytes(reinterpret_cast<uint8_t*>(record.serviceCentre.data()), kServiceCentreSize);

  record.numbers.Resize(numberCount);
  for (int i = 0; i < numberCount; ++i) {
    if (!in.Bytes(reinterpret_cast<uint8_t*>(record.numbers.GetAt(i)->data()), kNumberBlockSize)) {
      return truncated("number blocks");
    }
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
  if (record.text) {
    record.text->assign(bytes, textSize);
  } else {
    record.text.emplace(bytes, textSize);
  }
  if (textLength == 0) {
    parse.problems.push_back({index, lengthOffset, "text length is 0 (no terminator)"});
  } else if (textLength > kTextBufferSize) {
    parse.problems.push_back(
        {index, lengthOffset, "text length " + std::to_string(textLength) + " exceeds 2048"});
  } else if (stored[textLength - 1] != 0) {
    parse.problems.push_back({index, lengthOffset + 2, "text is not zero-terminated"});
  }

  if (record.flags & MRF_PICTURE) {
    if (!in.Bytes(record.picture.emplace().data(), kPictureBytes)) return truncated("picture");
  } else {
    record.picture.reset();
  }
  return true;
}

// Parses `bytes` into `list` from index `first` on: records already there
// are read into again, the rest are appended, and what is left past the last
// complete record goes.
MessageFileParse ParseInto(std::span<const uint8_t> bytes, MessageList& list, int first) {
  MessageFileParse parse;
  ByteReader in(bytes);
  if (bytes.size() < kHeaderSize) {
    parse.problems.push_back({-1, 0, AtOffset("file is shorter than its 22-byte header", 0)});
    list.Truncate(first);
    return parse;
  }
  parse.declaredCount = in.U16();
  in.Skip(kReservedSize);
  // No record is shorter than its fixed part and text length, so a count
  // larger than the file could hold does not reserve more than it could.
  const size_t possible = in.remaining() / (kFixedPartSize + kTextLengthSize);
  list.Reserve(first + static_cast<int>(std::min<size_t>(parse.declaredCount, possible)));
  std::unique_ptr<MessageRecord> spare;
  for (int i = 0; i < parse.declaredCount; ++i) {
    MessageRecord* record = list.GetAt(first + i);
    if (record == nullptr) {
      if (!spare) spare = CreateMessageRecord();
      record = spare.get();
    }
    if (!ReadRecord(in, i, parse, *record)) break;
    if (record == spare.get()) list.Add(std::move(spare));
    ++parse.recordsRead;
  }
  list.Truncate(first + parse.recordsRead);
  if (parse.recordsRead == parse.declaredCount && in.remaining() > 0) {
    parse.problems.push_back(
        {-1, in.offset(), std::to_string(in.remaining()) + " bytes follow the last record"});
  }
  return parse;
}

}  // namespace

MessageFileParse ParseMessageFile(std::span<const uint8_t> bytes, MessageList& list) {
  return ParseInto(bytes, list, list.Count());
}

MessageFileParse ReparseMessageFile(std::span<const uint8_t> bytes, MessageList& list) {
  return ParseInto(bytes, list, 0);
}

namespace {

size_t TextSizeOf(const MessageRecord& record) {
  // The program's texts stay far below the u16 limit; a longer one could
  // not be read back, so it is cut to what the length field can say.
  return std::min<size_t>(TextOf(record).size(), 0xFFFE);
}

size_t SerializedSize(const MessageList& list) {
  size_t size = kHeaderSize;
  for (const MessageRecord& record : list) {
    size += kFixedPartSize + kNumberBlockSize * std::min(record.numbers.Count(), 255) +
            kTextLengthSize + TextSizeOf(record) + 1;
    if (record.flags & MRF_PICTURE) size += kPictureBytes;
  }
  return size;
}

}  // namespace

std::vector<uint8_t> SerializeMessageFile(const MessageList& list) {
  std::vector<uint8_t> bytes(SerializedSize(list));
  Cursor out(bytes.data());
  out.U16(static_cast<uint16_t>(list.Count()));
  out.Zeros(kReservedSize);
  for (const MessageRecord& record : list) {
    const std::string& text = TextOf(record);
    const size_t textSize = TextSizeOf(record);
    out.U16(kRecordMark);
    WriteTime(out, record.time);
    out.U32(record.flags);
    out.U8(record.reference);
    const int numberCount = std::min(record.numbers.Count(), 255);
    out.U8(static_cast<uint8_t>(numberCount));
    out.Bytes(record.serviceCentre.data(), kServiceCentreSize);
    for (int i = 0; i < numberCount; ++i)
      out.Bytes(record.numbers.GetAt(i)->data(), kNumberBlockSize);
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
  const std::optional<FileBytes> file = ReadFileBytes(path);
  if (!file) {
    list.RemoveAll();
    return 0;
  }
  // The folders load their file again at every refresh: reading into the
  // records already held spares the allocator a free and a new of each.
  ReparseMessageFile(file->Bytes(), list);
  return list.Count();
}

int SaveMessageFile(const std::string& path, const MessageList& list, Durability durability) {
  return WriteMessageFile(path, list, durability) ? list.Count() : 0;
}

void SaveMessageFileOrLog(const std::string& path, const MessageList& list, Durability durability) {
  if (!WriteMessageFile(path, list, durability)) {
    LogFailure("could not save " + path + " (" + std::to_string(list.Count()) +
               " records kept in memory)");
  }
}

}  // namespace zeph
