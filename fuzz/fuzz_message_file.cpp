// A message store file of any content: parsing keeps within the bytes, what
// it reads saves and parses back to the same file, and reading it into a
// list that already holds records gives what reading it afresh gives.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/store/message_file.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeph;
  MessageList list;
  MessageFileParse parse = ParseMessageFile(std::span<const uint8_t>(data, size), list);
  FUZZ_CHECK(parse.recordsRead == list.Count());
  FUZZ_CHECK(list.Count() <= parse.declaredCount);

  std::vector<uint8_t> saved = SerializeMessageFile(list);
  MessageList again;
  MessageFileParse reparse = ParseMessageFile(saved, again);
  FUZZ_CHECK(reparse.wellFormed());
  FUZZ_CHECK(again.Count() == list.Count());
  FUZZ_CHECK(SerializeMessageFile(again) == saved);

  again.Add(CreateMessageRecord());  // one more than the file holds, to go
  ReparseMessageFile(std::span<const uint8_t>(data, size), again);
  FUZZ_CHECK(again.Count() == list.Count());
  FUZZ_CHECK(SerializeMessageFile(again) == saved);
  return 0;
}
