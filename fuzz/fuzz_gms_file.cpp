// A picture file of any content: refused with a reason or read, and a
// picture read writes back to a file that reads to the same picture.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/pictures/gms_file.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeph;
  GmsRead read = ReadGmsFile(std::span<const uint8_t>(data, size));
  if (!read.ok()) {
    FUZZ_CHECK(size < kGmsMinFileSize || size > kGmsFileSize ||
               read.refusal == GmsRefusal::kWrongPictureHeader);
    return 0;
  }
  FUZZ_CHECK(size >= kGmsMinFileSize && size <= kGmsFileSize);
  GmsFile file = BuildGmsFile(read.picture);
  GmsRead back = ReadGmsFile(file);
  FUZZ_CHECK(back.ok() && back.picture == read.picture);
  return 0;
}
