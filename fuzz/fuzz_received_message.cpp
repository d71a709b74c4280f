// A received CardMessage block of any length and content: the decoder must
// stay inside the block, and the record it makes must be one the program
// can file and send on.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/codecs/card_message.h"
#include "core/codecs/card_message_layout.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeph;
  std::span<const uint8_t> block(data, size);

  MessageList reports;
  for (uint8_t reference : {0, 1, 9, 255}) {
    auto entry = CreateMessageRecord();
    entry->reference = reference;
    entry->text = "entry";
    reports.Add(std::move(entry));
  }

  ReceivedMessage received = MessageRecordFromReceived(block, reports);
  if (!received.record) {
    FUZZ_CHECK(size < card_message::kHeadSize);
    return 0;
  }
  const MessageRecord& record = *received.record;
  FUZZ_CHECK(record.text.has_value());
  FUZZ_CHECK(record.text->size() <= card_message::kMaxReceivedTextLength);
  FUZZ_CHECK(((record.flags & MRF_PICTURE) != 0) == record.picture.has_value());
  FUZZ_CHECK(record.numbers.Count() == 1);
  FUZZ_CHECK((*record.numbers.GetAt(0))[kNumberBlockSize - 1] == 0);
  FUZZ_CHECK(record.time.month <= 165 && record.time.year >= 2000);
  if (!(record.flags & MRF_REPORT)) FUZZ_CHECK(reports.Count() == 4);

  // The record as the composer would send it on (a forward).
  std::vector<uint8_t> sent = BuildCardMessage(record);
  FUZZ_CHECK(sent.size() >= card_message::kHeadSize);
  SetSendRoute(sent, "+4917", true);
  return 0;
}
