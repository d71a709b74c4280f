#include "core/pictures/gms_file.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "core/util/atomic_file.h"

namespace zeph {
namespace {

GmsRead Refused(GmsRefusal refusal) {
  GmsRead read;
  read.refusal = refusal;
  return read;
}

}  // namespace

std::string_view GmsRefusalText(GmsRefusal refusal) {
  switch (refusal) {
    case GmsRefusal::kNone:
      return "accepted";
    case GmsRefusal::kUnreadable:
      return "the file cannot be read";
    case GmsRefusal::kTooShort:
      return "shorter than 256 bytes";
    case GmsRefusal::kTooLong:
      return "longer than 263 bytes";
    case GmsRefusal::kWrongPictureHeader:
      return "the picture header is not 00 48 1C 01";
  }
  return "unknown";
}

GmsFile BuildGmsFile(const PictureImage& picture) {
  GmsFile file{};
  auto out = std::copy(kGmsItemHeader.begin(), kGmsItemHeader.end(), file.begin());
  out = std::copy(kGmsPictureHeader.begin(), kGmsPictureHeader.end(), out);
  std::copy(picture.begin(), picture.end(), out);
  return file;
}

GmsRead ReadGmsFile(std::span<const uint8_t> bytes) {
  if (bytes.size() < kGmsMinFileSize) return Refused(GmsRefusal::kTooShort);
  if (bytes.size() > kGmsFileSize) return Refused(GmsRefusal::kTooLong);
  auto tail = bytes.last(kGmsMinFileSize);
  if (!std::equal(kGmsPictureHeader.begin(), kGmsPictureHeader.end(), tail.begin())) {
    return Refused(GmsRefusal::kWrongPictureHeader);
  }
  GmsRead read;
  std::copy_n(tail.begin() + kGmsPictureHeaderSize, kPictureBytes, read.picture.begin());
  return read;
}

GmsRead LoadGmsFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Refused(GmsRefusal::kUnreadable);
  // One byte more than the largest acceptable file tells a too long file.
  std::vector<uint8_t> bytes(kGmsFileSize + 1);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return Refused(GmsRefusal::kUnreadable);
  bytes.resize(static_cast<size_t>(in.gcount()));
  return ReadGmsFile(bytes);
}

bool SaveGmsFile(const std::string& path, const PictureImage& picture) {
  GmsFile file = BuildGmsFile(picture);
  // A picture file is the user's to share, unlike the private store files.
  return WriteFileAtomically(path, file, Durability::kSynced, kSharedFileMode);
}

}  // namespace zeph
