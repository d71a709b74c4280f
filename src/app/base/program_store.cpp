#include "app/base/program_store.h"

#include <algorithm>
#include <filesystem>

#include "app/base/wait_cursor.h"
#include "app/platform/card_link.h"
#include "core/store/message_file.h"
#include "core/store/picture_library_file.h"
#include "core/util/allocator_tuning.h"
#include "core/util/mutex.h"

namespace zeph {

void ProgramStore::Load(CardLink& link) {
  // Loading the store and the first refresh take about three times the
  // bytes of its files: the records, each file read whole, the Inbox's save.
  std::error_code ignored;
  uintmax_t fileBytes = 0;
  for (const std::string* path : {&paths_.sent, &paths_.inbox, &paths_.reports, &paths_.outbox}) {
    const uintmax_t size = std::filesystem::file_size(*path, ignored);
    if (!ignored) fileBytes += size;
  }
  PrepareHeapFor(static_cast<size_t>(std::min<uintmax_t>(fileBytes * 3, 48u << 20)));
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
