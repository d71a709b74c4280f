#pragma once
// The picture library file ("smspic.smp"): no header, the 252-byte pictures
// one after another in library order. Trailing bytes that do not fill a
// picture are ignored.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/store/block_list.h"
#include "core/store/picture_image.h"
#include "core/util/atomic_file.h"

namespace zeph {

using PictureList = BlockList<PictureImage>;

// Appends every whole picture of `bytes` to `list`; the result is how many
// trailing bytes were left over.
size_t ParsePictureLibrary(std::span<const uint8_t> bytes, PictureList& list);

std::vector<uint8_t> SerializePictureLibrary(const PictureList& list);

// Clears `list` and loads the file into it; the list's count afterwards, 0
// when the file cannot be opened.
int LoadPictureLibrary(const std::string& path, PictureList& list);

// Replaces the file crash-safely; the list's count, or 0 when the file
// cannot be written (the previous file is then left whole).
[[nodiscard]] int SavePictureLibrary(const std::string& path, const PictureList& list,
                                     Durability durability = Durability::kSynced);

// Whether the library already holds a picture equal to `picture` in all 252
// bytes: such a picture is never added twice.
bool LibraryHoldsPicture(const PictureList& list, const PictureImage& picture);

}  // namespace zeph
