#include "app/base/program_store.h"

#include "app/base/wait_cursor.h"
#include "app/platform/card_link.h"
#include "core/store/message_file.h"
#include "core/store/picture_library_file.h"
#include "core/util/mutex.h"

namespace zeph {

void ProgramStore::Load(CardLink& link) {
  // The counts are not needed: each list shows what it holds.
  // The lists the send thread shares are loaded under their locks.
  static_cast<void>(LoadPictureLibrary(paths_.pictures, lists_.pictures));
  {
    ScopedLock hold(lists_.sent);
    static_cast<void>(LoadMessageFile(paths_.sent, lists_.sent));
  }
  static_cast<void>(LoadMessageFile(paths_.inbox, lists_.inbox));
  static_cast<void>(ReadSimPhonebook(link));  // kept as the SIM read status
  {
    ScopedLock hold(lists_.reports);
    static_cast<void>(LoadMessageFile(paths_.reports, lists_.reports));
  }
  ScopedLock hold(lists_.outbox);
  static_cast<void>(LoadMessageFile(paths_.outbox, lists_.outbox));
}

uint32_t ProgramStore::ReadSimPhonebook(CardLink& link) {
  const WaitCursor wait;
  simReadStatus_ = link.ReadSimPhonebook(lists_.contacts);
  return simReadStatus_;
}

}  // namespace zeph
