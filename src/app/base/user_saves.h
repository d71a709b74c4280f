#pragma once
// Saves the user asked for: a file that cannot be written is shown in the
// common error box with the reason, since the user believes it saved. The
// data stays in memory all the same (the next save of a store writes it).

#include <string>

#include "core/store/picture_library_file.h"

namespace zeph {

class Asker;
class ProgramStore;

// Saves the picture library file; false, after the error box, when it
// could not be written.
bool SavePictureLibraryOrSay(const std::string& path, const PictureList& library, Asker& asker);

// Save Picture, wherever a picture is shown (the folders' previews, the
// texts of the message editor and the chat): `picture` joins the picture
// library unless the library holds it already, and the file is saved.
void SavePictureToLibrary(ProgramStore& store, Asker& asker, const PictureImage& picture);

}  // namespace zeph
