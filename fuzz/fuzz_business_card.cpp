// A received business-card text of any content, and the two decoders on
// it: fields stay terminated and nothing reads past the text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/codecs/business_card.h"
#include "core/codecs/business_card_choices.h"
#include "core/codecs/text_decoders.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeph;
  std::string_view text(reinterpret_cast<const char*>(data), size);

  if (auto card = ParseBusinessCardText(text)) {
    for (const CardField& field : card->names) FUZZ_CHECK(field[kCardFieldSize - 1] == 0);
    for (const CardField& field : card->numbers) FUZZ_CHECK(field[kCardFieldSize - 1] == 0);
    for (const std::string& name : BusinessCardNameVariants(*card)) FUZZ_CHECK(name.size() <= 20);
    for (const CardNumberChoice& choice : BusinessCardNumberChoices(*card)) {
      FUZZ_CHECK(choice.slot >= 0 && choice.slot < static_cast<int>(kCardNumberSlots));
      FUZZ_CHECK(!choice.number.empty());
      CleanCardNumberForSaving(choice.number);
    }
  }

  std::array<char, 16> narrow;
  DecodeQuotedPrintable(text, narrow);
  FUZZ_CHECK(narrow.back() == 0);
  std::array<char16_t, 16> wide;
  DecodeUtf8(text, wide);
  return 0;
}
