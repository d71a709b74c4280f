#include "app/base/program_store.h"

#include "app/base/wait_cursor.h"
#include "app/platform/card_link.h"
#include "core/store/message_file.h"
#include "core/store/picture_library_file.h"

namespace zeph {

void ProgramStore::Load(CardLink& link) {
  // The counts are not needed: each list shows what it holds.
  static_cast<void>(LoadPictureLibrary(paths_.pictures, lists_.pictures));
  static_cast<void>(LoadMessageFile(paths_.sent, lists_.sent));
  static_cast<void>(LoadMessageFile(paths_.inbox, lists_.inbox));
  {
    const WaitCursor wait;
    simReadStatus_ = link.ReadSimPhonebook(lists_.contacts);
  }
  static_cast<void>(LoadMessageFile(paths_.reports, lists_.reports));
  static_cast<void>(LoadMessageFile(paths_.outbox, lists_.outbox));
}

}  // namespace zeph
