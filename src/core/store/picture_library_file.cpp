#include "core/store/picture_library_file.h"

#include <algorithm>

namespace zeph {

size_t ParsePictureLibrary(std::span<const uint8_t> bytes, PictureList& list) {
  const size_t whole = bytes.size() / kPictureBytes;
  for (size_t i = 0; i < whole; ++i) {
    auto picture = std::make_unique<PictureImage>();
    std::copy_n(bytes.data() + i * kPictureBytes, kPictureBytes, picture->data());
    list.Add(std::move(picture));
  }
  return bytes.size() % kPictureBytes;
}

std::vector<uint8_t> SerializePictureLibrary(const PictureList& list) {
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(list.Count()) * kPictureBytes);
  for (const PictureImage& picture : list)
    bytes.insert(bytes.end(), picture.begin(), picture.end());
  return bytes;
}

int LoadPictureLibrary(const std::string& path, PictureList& list) {
  list.RemoveAll();
  auto bytes = ReadWholeFile(path);
  if (!bytes) return 0;
  ParsePictureLibrary(*bytes, list);
  return list.Count();
}

int SavePictureLibrary(const std::string& path, const PictureList& list, Durability durability) {
  if (!WriteFileAtomically(path, SerializePictureLibrary(list), durability)) return 0;
  return list.Count();
}

bool LibraryHoldsPicture(const PictureList& list, const PictureImage& picture) {
  return std::any_of(list.begin(), list.end(),
                     [&](const PictureImage& held) { return held == picture; });
}

}  // namespace zeph
