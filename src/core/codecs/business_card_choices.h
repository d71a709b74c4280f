#pragma once
// What the Business Card Received dialog offers from a parsed card, and the
// clean-up of a number before it is written to the SIM.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/codecs/business_card.h"

namespace zeph {

// The dialog's name field takes at most 19 characters, and offered names
// longer than 20 are cut to the same length.
inline constexpr size_t kSavedCardNameLength = 19;
// A cleaned number of this many characters or more does not fit the SIM.
inline constexpr size_t kRefusedCardNumberLength = 24;

// The names the dialog offers, first one selected: component 0 alone; and
// when component 1 is not empty also "F, G" (family name first) and "G F"
// (given name first). A variant longer than 20 characters is cut to 19.
std::vector<std::string> BusinessCardNameVariants(const BusinessCardFields& card);

struct CardNumberChoice {
  int slot = 0;  // the number slot the item stands for
  std::string number;
};

// The non-empty number slots in slot order, one list item each; the first
// is checked when the dialog opens. Each item carries its own slot, and the
// save reads that slot: an empty TEL value before an item does not shift
// the item onto the wrong number.
std::vector<CardNumberChoice> BusinessCardNumberChoices(const BusinessCardFields& card);

// The number to save: every blank and hyphen removed. None when what is left
// has 24 characters or more (the dialog then shows error 66 and stops).
std::optional<std::string> CleanCardNumberForSaving(std::string_view number);

}  // namespace zeph
