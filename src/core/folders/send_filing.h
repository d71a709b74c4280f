#pragma once
// Where a sent message is filed: the Sent messages and Delivery reports
// lists with their files. Both lists are shared between the send thread and
// the user-interface thread; each has its own lock, and every change, load
// and save of a list and its file is made while holding that list's lock,
// on either thread. So the send thread's append-and-save never interleaves
// with a folder's reload, delete or reception's report matching. Neither
// lock is ever held while the Outbox lock is taken, or the other way round.

#include <string>

#include "core/store/message_record.h"
#include "core/util/atomic_file.h"

namespace zeph {

struct SendFiling {
  LockedMessageList& sent;
  std::string sentPath;
  LockedMessageList& reports;
  std::string reportsPath;
  // How the send engine's saves (these two files and the Outbox) reach the
  // disk. The benchmarks skip the flush to see the program's own work.
  Durability durability = Durability::kSynced;
};

}  // namespace zeph
