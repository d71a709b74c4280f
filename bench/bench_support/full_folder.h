#pragma once
// A folder file as a user who keeps everything has one: believable read
// messages from 400 numbers, a picture in every tenth.

#include <cstdlib>
#include <string>

#include "core/store/message_file.h"
#include "support/records.h"

namespace zeph::bench {

inline void WriteFullFolder(const std::string& path, int count, uint32_t flags) {
  MessageList list;
  for (int i = 0; i < count; ++i) {
    auto record =
        testing::Message("+35840" + std::to_string(5550000 + i % 400),
                         "Message number " + std::to_string(i) + ", see you at eight?",
                         testing::At(2026, 1 + i % 12, 1 + i % 28, i % 24, i % 60), flags);
    if (i % 10 == 0) {
      record->flags |= MRF_PICTURE;
      record->picture = PictureImage{};
    }
    list.Add(std::move(record));
  }
  if (count > 0 && !SaveMessageFile(path, list)) std::abort();  // no file is an empty folder
}

}  // namespace zeph::bench
