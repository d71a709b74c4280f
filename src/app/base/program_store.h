#pragma once
// The program's lists and the files they are kept in, in one place. Start-up
// makes it before the frame, and the frame's creation loads it, so that the
// files are read in one fixed order (Load).

#include <cstdint>
#include <utility>

#include "core/store/app_lists.h"

namespace zeph {

class CardLink;

class ProgramStore {
 public:
  explicit ProgramStore(StorePaths paths) : paths_(std::move(paths)) {}

  // Loads the picture library, Sent messages and the Inbox; reads the SIM
  // phonebook into Contacts under the wait cursor (it may take a minute)
  // and keeps its result code as the SIM read status; then loads Delivery
  // reports and the Outbox. A missing or damaged file leaves its list
  // empty, a failed SIM read leaves Contacts as it was; nothing is shown.
  void Load(CardLink& link);
  // Reads the SIM phonebook into Contacts under the wait cursor and keeps
  // the result code as the SIM read status: Load's read, and the Contacts
  // module's retry after a failed one. A failed read leaves Contacts as it
  // was.
  uint32_t ReadSimPhonebook(CardLink& link);

  AppLists& Lists() { return lists_; }
  const StorePaths& Paths() const { return paths_; }
  // 0 when the SIM phonebook was read, else the request's result code.
  uint32_t SimReadStatus() const { return simReadStatus_; }

 private:
  StorePaths paths_;
  AppLists lists_;
  uint32_t simReadStatus_ = 0;
};

}  // namespace zeph
