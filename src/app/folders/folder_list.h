#pragma once
// A message folder's list and the file it is kept in. The Inbox's list
// belongs to the user-interface thread alone; the Outbox, Sent messages and
// Delivery reports are shared with the send thread, so every read, change,
// load and save of them holds the list's lock. A folder module and its row
// model reach their list only through here, and so never forget the lock.

#include <string>
#include <utility>

#include "core/store/message_record.h"
#include "core/util/mutex.h"

namespace zeph {

class FolderList {
 public:
  // The user-interface thread's own list.
  FolderList(MessageList& list, std::string path) : list_(list), path_(std::move(path)) {}
  // A list shared with the send thread.
  FolderList(LockedMessageList& list, std::string path)
      : list_(list), shared_(&list), path_(std::move(path)) {}

  // Runs `work` on the list, holding the list's lock when it is shared.
  // The lock is re-entrant: `work` may call WithList again.
  template <typename Work>
  decltype(auto) WithList(Work&& work) const {
    if (shared_ != nullptr) {
      ScopedLock hold(*shared_);
      return work(list_);
    }
    return work(list_);
  }

  int Count() const {
    return WithList([](const MessageList& list) { return list.Count(); });
  }
  // Replaces the list with the file's records; the count read.
  int Load() const;
  // Writes the list to its file. A failure is reported to no one: the
  // list in memory stays as it is, the old file stays whole, and the next
  // save writes the whole list again.
  void Save() const;

  const std::string& Path() const { return path_; }
  bool Shared() const { return shared_ != nullptr; }

 private:
  MessageList& list_;
  LockedMessageList* shared_ = nullptr;
  std::string path_;
};

}  // namespace zeph
