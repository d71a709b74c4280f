// A message as ModemManager might describe it, with any text, data, time
// stamp and delivery state: the modem backend must make a block the
// program reads, and never read past what it was given.
//   byte 0: bit 0 a status report, bit 1 the rest is Data rather than Text
//   byte 1: DeliveryState
//   then the time stamp up to the first zero byte, then the text or data.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cardservice/modem_mapping.h"
#include "core/codecs/card_message.h"
#include "core/codecs/card_message_layout.h"
#include "core/util/byte_order.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeph;
  using namespace zeph::cardservice;
  if (size < 2) return 0;
  const bool report = data[0] & 1, binary = data[0] & 2;
  const uint8_t* end = data + size;
  const uint8_t* stampEnd = std::find(data + 2, end, 0);
  const std::string stamp(data + 2, stampEnd);
  const std::vector<uint8_t> rest(stampEnd == end ? end : stampEnd + 1, end);

  PropertyMap sms{{"Timestamp", stamp}, {"DischargeTimestamp", stamp}, {"Number", stamp}};
  if (report) sms["PduType"] = int64_t{3};
  sms["DeliveryState"] = int64_t{data[1]};
  sms["MessageReference"] = int64_t{data[1]} * 7;
  if (binary)
    sms["Data"] = rest;
  else
    sms["Text"] = std::string(rest.begin(), rest.end());

  if (auto local = LocalTimeFromIso8601(stamp))
    FUZZ_CHECK(local->tm_year >= 100 && local->tm_year <= 199 && local->tm_mon < 12);
  if (auto picture = PictureDataFromAir(rest)) {
    FUZZ_CHECK(picture->size() >= 6 + 1 + 252);
    FUZZ_CHECK(ReadU16(&(*picture)[2]) == 72 && ReadU16(&(*picture)[4]) == 28);
  }

  std::tm now{};
  now.tm_year = 124;
  now.tm_mday = 1;
  const std::vector<uint8_t> block = BlockFromSms(sms, now);
  FUZZ_CHECK(block.size() >= card_message::kHeadSize);
  FUZZ_CHECK(block.size() ==
             card_message::kHeadSize + ReadU16(&block[card_message::kDataLengthOffset]));
  ReceivedMessage received = MessageRecordFromReceived(block);
  FUZZ_CHECK(received.record != nullptr);
  FUZZ_CHECK(received.report.has_value() == report);
  if (report) FUZZ_CHECK(received.report->reference == static_cast<uint8_t>(data[1] * 7));
  FUZZ_CHECK(received.record->time.year >= 2000 && received.record->time.year <= 2099);
  FUZZ_CHECK(received.record->time.month >= 1 && received.record->time.month <= 12);
  return 0;
}
