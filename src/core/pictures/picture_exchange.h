#pragma once
// Pictures in and out of the picture library: GMS import and export, and
// the rule that the library never holds the same 252-byte picture twice
// (also used when a received picture is saved to the library).

#include <string>

#include "core/pictures/gms_file.h"
#include "core/store/picture_library_file.h"

namespace zeph {

// Appends `picture` to `library` unless a picture equal in all 252 bytes is
// already there; true when it was appended.
bool AddPictureOnce(PictureList& library, const PictureImage& picture);

enum class PictureImport {
  kAdded,        // appended, and the library file saved
  kAlreadyHeld,  // the library holds the picture already: nothing changes
  kRefused,      // the file is no GMS picture file; see `refusal`
};

struct GmsImportResult {
  PictureImport outcome = PictureImport::kRefused;
  GmsRefusal refusal = GmsRefusal::kNone;
  bool saved = true;  // false when the library file could not be written
};

// Imports the GMS file at `gmsPath` into `library`, saving the library to
// `libraryPath` when a picture was appended. A refused file changes nothing;
// the program shows no message for it.
GmsImportResult ImportGmsFile(const std::string& gmsPath, PictureList& library,
                              const std::string& libraryPath);

// Writes library picture `index` to `gmsPath` as a 263-byte GMS file. False
// when there is no such picture or the file cannot be written.
[[nodiscard]] bool ExportGmsFile(const std::string& gmsPath, const PictureList& library, int index);

}  // namespace zeph
