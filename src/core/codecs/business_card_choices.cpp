#include "core/codecs/business_card_choices.h"

#include "core/util/fixed_text.h"

namespace zeph {
namespace {

constexpr size_t kLongestUncutVariant = 20;

std::string CutVariant(std::string variant) {
  if (variant.size() > kLongestUncutVariant) variant.resize(kSavedCardNameLength);
  return variant;
}

}  // namespace

std::vector<std::string> BusinessCardNameVariants(const BusinessCardFields& card) {
  std::string family = FieldText(card.names[0]);
  std::string given = FieldText(card.names[1]);
  std::vector<std::string> variants = {CutVariant(family)};
  if (!given.empty()) {
    variants.push_back(CutVariant(family + ", " + given));
    variants.push_back(CutVariant(given + " " + family));
  }
  return variants;
}

std::vector<CardNumberChoice> BusinessCardNumberChoices(const BusinessCardFields& card) {
  std::vector<CardNumberChoice> choices;
  for (size_t slot = 0; slot < card.numbers.size(); ++slot) {
    std::string number = FieldText(card.numbers[slot]);
    if (!number.empty()) choices.push_back({static_cast<int>(slot), std::move(number)});
  }
  return choices;
}

std::optional<std::string> CleanCardNumberForSaving(std::string_view number) {
  std::string cleaned;
  for (char c : number) {
    if (c != ' ' && c != '-') cleaned.push_back(c);
  }
  if (cleaned.size() >= kRefusedCardNumberLength) return std::nullopt;
  return cleaned;
}

}  // namespace zeph
