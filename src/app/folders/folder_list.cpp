#include "app/folders/folder_list.h"

#include "core/store/message_file.h"

namespace zeph {

int FolderList::Load() const {
  return WithList([this](MessageList& list) { return LoadMessageFile(path_, list); });
}

void FolderList::Save() const {
  // Nobody is told of a failed save: the list keeps the change, the old
  // file stays whole and the next save writes everything again.
  WithList([this](const MessageList& list) { static_cast<void>(SaveMessageFile(path_, list)); });
}

}  // namespace zeph
