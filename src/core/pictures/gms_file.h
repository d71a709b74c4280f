#pragma once
// GMS picture files ("*.gms"), the form in which pictures are exchanged with
// other programs. The program writes exactly 263 bytes:
//
//   +0   0x30        format version, the digit zero
//   +1   0x00        item type 0: text
//   +2   0x00 0x00   length of the text item, big-endian: no text
//   +4   0x02        item type 2: picture
//   +5   0x01 0x00   length of the picture item, big-endian: 256
//   +7   0x00 0x48 0x1C 0x01   picture header: info 0, width 72, height 28, 1 bit a pixel
//   +11  252 bytes   the PictureImage
//
// A reader takes the picture from the end of the file: the last 256 bytes
// must be the picture header and the 252 picture bytes; the bytes before them
// are not examined. Files shorter than 256 or longer than 263 bytes are
// refused.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/store/picture_image.h"

namespace zeph {

inline constexpr size_t kGmsFileSize = 263;
inline constexpr size_t kGmsMinFileSize = 256;  // the picture header and the picture
inline constexpr size_t kGmsPictureHeaderSize = 4;
inline constexpr std::array<uint8_t, kGmsPictureHeaderSize> kGmsPictureHeader = {0x00, 0x48, 0x1C,
                                                                                 0x01};
// The bytes before the picture header in a file the program writes.
inline constexpr std::array<uint8_t, 7> kGmsItemHeader = {0x30, 0x00, 0x00, 0x00, 0x02, 0x01, 0x00};

using GmsFile = std::array<uint8_t, kGmsFileSize>;

// Why a GMS file was refused.
enum class GmsRefusal {
  kNone,
  kUnreadable,          // the file could not be opened or read
  kTooShort,            // fewer than 256 bytes
  kTooLong,             // more than 263 bytes
  kWrongPictureHeader,  // the last 256 bytes do not begin with 00 48 1C 01
};

// A short English description of a refusal, for tools and logs; the program
// itself refuses silently.
std::string_view GmsRefusalText(GmsRefusal refusal);

struct GmsRead {
  PictureImage picture{};  // all zero when refused
  GmsRefusal refusal = GmsRefusal::kNone;
  bool ok() const { return refusal == GmsRefusal::kNone; }
};

// The 263 bytes of the GMS file for `picture`.
GmsFile BuildGmsFile(const PictureImage& picture);

// The picture of a GMS file's bytes, or the reason it is refused. Never
// reads past `bytes`.
GmsRead ReadGmsFile(std::span<const uint8_t> bytes);

// Reads the file at `path`. Reads at most 264 bytes, so a large file is
// refused as too long without being read whole.
GmsRead LoadGmsFile(const std::string& path);

// Writes the GMS file of `picture` to `path`, replacing any file there;
// false when it cannot be written (a previous file is then left whole).
[[nodiscard]] bool SaveGmsFile(const std::string& path, const PictureImage& picture);

}  // namespace zeph
