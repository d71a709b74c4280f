// A received CardMessage block of any length and content: the decoder must
// stay inside the block, and the record it makes must be one the program
// can file and send on.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/codecs/card_message.h"
#include "core/codecs/card_message_layout.h"
#include "core/folders/reception.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeph;
  std::span<const uint8_t> block(data, size);

  ReceivedMessage received = MessageRecordFromReceived(block);
  if (!received.record) {
    FUZZ_CHECK(size < card_message::kHeadSize);
    return 0;
  }
  MessageRecord& record = *received.record;
  // A report's text is the matching entry's, as reception files it.
  FUZZ_CHECK(received.report.has_value() == ((record.flags & MRF_REPORT) != 0));
  if (received.report) {
    FUZZ_CHECK(!record.text.has_value());
    FUZZ_CHECK(received.report->status <= 2);
    FUZZ_CHECK(received.report->reference == record.reference);
    constexpr uint8_t kHeld[] = {0, 1, 9, 255};
    LockedMessageList reports;
    for (uint8_t reference : kHeld) {
      auto entry = CreateMessageRecord();
      entry->reference = reference;
      entry->text = "entry";
      reports.Add(std::move(entry));
    }
    ScopedLock hold(reports);
    record.text = MatchReport(reports, received.report->reference);
    const bool held =
        std::find(std::begin(kHeld), std::end(kHeld), record.reference) != std::end(kHeld);
    FUZZ_CHECK(reports.Count() == (held ? 3 : 4));
    FUZZ_CHECK(*record.text == (held ? "entry" : "..."));
  }
  FUZZ_CHECK(record.text.has_value());
  FUZZ_CHECK(record.text->size() <= card_message::kMaxReceivedTextLength);
  FUZZ_CHECK(((record.flags & MRF_PICTURE) != 0) == record.picture.has_value());
  FUZZ_CHECK(record.numbers.Count() == 1);
  FUZZ_CHECK((*record.numbers.GetAt(0))[kNumberBlockSize - 1] == 0);
  FUZZ_CHECK(record.time.month <= 165 && record.time.year >= 2000);

  // The record as the composer would send it on (a forward).
  std::vector<uint8_t> sent = BuildCardMessage(record);
  FUZZ_CHECK(sent.size() >= card_message::kHeadSize);
  SetSendRoute(sent, "+4917", true);
  return 0;
}
