#include "app/base/user_saves.h"

#include <cerrno>

#include "app/base/asker.h"
#include "app/base/program_store.h"
#include "core/pictures/picture_exchange.h"

namespace zeph {

bool SavePictureLibraryOrSay(const std::string& path, const PictureList& library, Asker& asker) {
  // SavePictureLibrary's count cannot tell an empty library saved from a
  // failure: the write's own result can.
  if (WriteFileAtomically(path, SerializePictureLibrary(library))) return true;
  asker.ShowFailure(WriteFailureText(path, errno));
  return false;
}

void SavePictureToLibrary(ProgramStore& store, Asker& asker, const PictureImage& picture) {
  if (!AddPictureOnce(store.Lists().pictures, picture)) return;  // held already
  static_cast<void>(SavePictureLibraryOrSay(store.Paths().pictures, store.Lists().pictures, asker));
}

}  // namespace zeph
