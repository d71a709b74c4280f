#include "core/pictures/picture_exchange.h"

#include <memory>

namespace zeph {

bool AddPictureOnce(PictureList& library, const PictureImage& picture) {
  if (LibraryHoldsPicture(library, picture)) return false;
  library.Add(std::make_unique<PictureImage>(picture));
  return true;
}

GmsImportResult ImportGmsFile(const std::string& gmsPath, PictureList& library,
                              const std::string& libraryPath) {
  GmsImportResult result;
  GmsRead read = LoadGmsFile(gmsPath);
  if (!read.ok()) {
    result.refusal = read.refusal;
    return result;
  }
  if (!AddPictureOnce(library, read.picture)) {
    result.outcome = PictureImport::kAlreadyHeld;
    return result;
  }
  result.outcome = PictureImport::kAdded;
  result.saved = SavePictureLibrary(libraryPath, library) == library.Count();
  return result;
}

bool ExportGmsFile(const std::string& gmsPath, const PictureList& library, int index) {
  const PictureImage* picture = library.GetAt(index);
  return picture && SaveGmsFile(gmsPath, *picture);
}

}  // namespace zeph
