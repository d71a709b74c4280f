#pragma once
// Loading and saving the message store files (layout in
// message_file_layout.h).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/store/message_record.h"
#include "core/util/atomic_file.h"
#include "core/util/thread_annotations.h"

namespace zeph {

// What a parse found wrong, for the tools that look into a store. The
// program itself only keeps the records.
struct MessageFileProblem {
  int record = -1;    // index of the record concerned; -1 for the header or the file's end
  size_t offset = 0;  // byte offset in the file where it goes wrong
  std::string what;
};

struct MessageFileParse {
  int declaredCount = 0;  // the header's record count
  int recordsRead = 0;    // complete records appended to the list
  // Problems in file order. A truncated file ends the parse; the other
  // problems (an unterminated or over-long text, a wrong record mark,
  // trailing bytes) leave the record readable.
  std::vector<MessageFileProblem> problems;
  bool wellFormed() const { return problems.empty(); }
};

// Parses the bytes of a message file and appends every complete record to
// `list`, in file order. A record cut by the file's end is not appended and
// ends the parse; a record count larger than the file holds thus stops at
// the end. Never reads past `bytes`.
MessageFileParse ParseMessageFile(std::span<const uint8_t> bytes, MessageList& list);

// The same, replacing what `list` holds: the records already in it are read
// into again (their addresses stay), and those past the file's go. What
// LoadMessageFile does with the file's bytes.
MessageFileParse ReparseMessageFile(std::span<const uint8_t> bytes, MessageList& list);

// The file bytes of `list`. Only the records' fields are written: the bytes
// of a number block after its terminator as they are held, the picture only
// when MRF_PICTURE is set, a missing text as an empty one.
std::vector<uint8_t> SerializeMessageFile(const MessageList& list);

// Replaces what `list` holds with the records of the file at `path`. The
// records already in the list are read into again (their addresses stay,
// their contents become the file's), so nobody may keep a record of a list
// across its load. The result is the list's count afterwards: 0, and an
// empty list, when the file cannot be opened.
int LoadMessageFile(const std::string& path, MessageList& list);

// Replaces the file at `path` with `list`, crash-safely (see
// WriteFileAtomically). The result is the list's count, or 0 when the file
// cannot be written, in which case the previous file is left whole. A list
// of more than 65 535 records does not fit the u16 count and is refused
// with 0 for the same reason: a cut file would lose records on the next load.
[[nodiscard]] int SaveMessageFile(const std::string& path, const MessageList& list,
                                  Durability durability = Durability::kSynced);

// The save after a folder change, whose failure the program reports to no
// one: the list in memory stays as it is, the previous file stays whole, and
// the next save writes the whole list again. A failure goes to the failure
// log (failure_log.h) rather than to the caller. An empty list saved well
// and a failed save both give SaveMessageFile's 0; here they differ.
void SaveMessageFileOrLog(const std::string& path, const MessageList& list,
                          Durability durability = Durability::kSynced);

// The same for a list shared between threads (the Outbox, Sent messages,
// Delivery reports): the caller holds the list's lock, so that no other
// thread changes the list while it is read in or written out.
inline int LoadMessageFile(const std::string& path, LockedMessageList& list) REQUIRES(list) {
  return LoadMessageFile(path, static_cast<MessageList&>(list));
}
[[nodiscard]] inline int SaveMessageFile(const std::string& path, const LockedMessageList& list,
                                         Durability durability = Durability::kSynced)
    REQUIRES(list) {
  return SaveMessageFile(path, static_cast<const MessageList&>(list), durability);
}
inline void SaveMessageFileOrLog(const std::string& path, const LockedMessageList& list,
                                 Durability durability = Durability::kSynced) REQUIRES(list) {
  SaveMessageFileOrLog(path, static_cast<const MessageList&>(list), durability);
}

}  // namespace zeph
