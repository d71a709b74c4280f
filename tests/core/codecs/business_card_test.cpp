#include "core/codecs/business_card.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/codecs/business_card_choices.h"

namespace zeph {
namespace {

using Strings = std::vector<std::string>;

std::string Card(std::string_view lines) {
  return "BEGIN:VCARD\r\nVERSION:2.1\r\n" + std::string(lines) + "END:VCARD\r\n";
}
const std::string kHead = "BEGIN:VCARD\r\nVERSION:2.1\r\n";  // a card cut before its end
const std::string k100n(100, 'n'), k100d(100, '7');

// Every name component and number slot, unset ones empty.
struct ParseCase {
  std::string text;
  Strings names, numbers;
  Strings variants = {};  // compared when given
};

Strings Padded(Strings values, size_t size) {
  values.resize(size);
  return values;
}

TEST(BusinessCardTest, ParsedNamesNumbersAndWhatTheDialogOffers) {
  std::string twelveTels;
  for (int i = 0; i < 12; ++i) twelveTels += "TEL:" + std::to_string(i) + "\r\n";
  const ParseCase cases[] = {
      {BuildBusinessCard("Dr. M\xFCller", "+49 30 1234"),
       {"Dr. M\xFCller"},
       {"+49 30 1234"},
       {"Dr. M\xFCller"}},
      // FN wins over N and is not decoded.
      {Card("N:Smith;John;;;\r\nFN;ENCODING=QUOTED-PRINTABLE:John =3D Smith\r\nTEL:1\r\n"),
       {"John =3D Smith"},
       {"1"},
       {"John =3D Smith"}},
      {Card("N:Smith;John;;;\r\nTEL:1\r\n"),
       {"Smith", "John"},
       {"1"},
       {"Smith", "Smith, John", "John Smith"}},
      {Card("N:F;G;M;Dr.;Jr.;extra\r\n"), {"F", "G", "M", "Dr.", "Jr."}, {}},
      // UTF-8 is decoded to Latin-1 only when the line says so; beyond Latin-1 gives '?'.
      {Card("N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:B=C3=A4r;J=C3=A4na\r\n"),
       {"B\xE4r", "J\xE4na"},
       {}},
      {Card("N:B=C3=A4r\r\n"), {"B=C3=A4r"}, {}},
      {Card("N;CHARSET=UTF-8:B\xC3\xA4r\r\n"), {"B\xE4r"}, {}},
      {Card("N;CHARSET=UTF-8:\xE2\x82\xAC 5\r\n"), {"? 5"}, {}},
      {Card("N;CHARSET=UTF-8:ab\xC3(\r\n"), {"ab\xC3("}, {}},
      {Card("N;CHARSET=UTF-8:\xF0\x9F\x98\x80x\r\n"), {"\xF0\x9F\x98\x80x"}, {}},
      {Card("N:A\r\nTEL;CELL:+49 170-111\r\nTEL;HOME:0301234\r\nTEL:555\r\n"),
       {"A"},
       {"+49 170-111", "0301234", "555"}},
      {Card("N:A\r\nTEL:\r\nTEL:222\r\n"), {"A"}, {"", "222"}},  // an empty TEL keeps its slot
      {Card("N:A\r\nNOTE:Hotel HOTEL:42\r\n"), {"A"}, {"42"}},   // TEL inside another word
      {Card("NOTE:friend\r\nN:Real;Name\r\n"), {"friend"}, {}},  // any line starting with N
      {Card("N:" + k100n + ";" + k100n + "\r\nTEL:" + k100d + "\r\n"),
       {k100n.substr(0, 63), k100n.substr(0, 63)},
       {k100d.substr(0, 63)}},
      {Card("FN:" + k100n + "\r\n"), {k100n.substr(0, 63)}, {}},
      {Card("N:A\r\n" + twelveTels), {"A"}, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
      // Values without CR run to the end.
      {kHead + "N:Fam;Giv", {"Fam", "Giv"}, {}},
      {kHead + "FN:Whole\r\nTEL:123", {"Whole"}, {"123"}},
      {kHead + "N:Fam;", {"Fam"}, {}},
      // Parameters run to the first colon, even a later line's; a TEL without one ends the numbers.
      {Card("N;X\r\n"), {"VCARD"}, {}},
      {kHead + "N;CHARSET=UTF-8\r\n", {}, {}},
      {kHead + "FN", {}, {}},
      {kHead + "N:A\r\nTEL:1\r\nTEL", {"A"}, {"1"}},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.text);
    auto card = ParseBusinessCardText(c.text);
    ASSERT_TRUE(card);
    // Each offered number carries its own slot: "slot:number".
    Strings names, numbers, offered, set;
    for (const auto& name : card->names) names.emplace_back(name.data());
    for (const auto& number : card->numbers) numbers.emplace_back(number.data());
    for (const CardNumberChoice& choice : BusinessCardNumberChoices(*card))
      offered.push_back(std::to_string(choice.slot) + ":" + choice.number);
    for (size_t i = 0; i < c.numbers.size(); ++i)
      if (!c.numbers[i].empty()) set.push_back(std::to_string(i) + ":" + c.numbers[i]);
    const Strings variants = c.variants.empty() ? Strings{} : BusinessCardNameVariants(*card);
    EXPECT_EQ(std::tuple(names, numbers, offered, variants),
              std::tuple(Padded(c.names, kCardNameComponents), Padded(c.numbers, kCardNumberSlots),
                         set, c.variants));
  }
}

TEST(BusinessCardTest, BuiltCardIsFiveFixedLines) {
  EXPECT_EQ(BuildBusinessCard("Anna", "+4917012345"),
            "BEGIN:VCARD\r\nVERSION:2.1\r\nN;ISO-8859-1:Anna\r\nTEL:+4917012345\r\nEND:VCARD\r\n");
}

TEST(BusinessCardTest, CardsWithoutANameLineAfterTheStartAreDropped) {
  for (const std::string& text :
       {Card("TEL:123\r\n"), std::string(),
        std::string("\r\nN:Bob"),  // shorter than the start
        std::string("VERSION\r\nFN:Bob\r\n"), std::string("\r\nN:Bob;;;;;;;;;;;;;;;;;;;;;;"),
        // the text ends at its first zero byte
        std::string("BEGIN:VCARD\0\r\nN:Bob\r\n", 21)})
    EXPECT_FALSE(ParseBusinessCardText(text)) << text;
}

TEST(BusinessCardChoicesTest, LongNamesAreOfferedCutTo19) {
  BusinessCardFields card{};
  std::string twenty(20, 'a');
  std::copy(twenty.begin(), twenty.end(), card.names[0].begin());
  EXPECT_EQ(BusinessCardNameVariants(card), Strings{twenty});
  card.names[0][20] = 'b';
  EXPECT_EQ(BusinessCardNameVariants(card), Strings{std::string(19, 'a')});

  auto pair = ParseBusinessCardText(Card("N:Abcdefghij;Klmnopqrst\r\n"));
  ASSERT_TRUE(pair);
  EXPECT_EQ(BusinessCardNameVariants(*pair),
            (Strings{"Abcdefghij", "Abcdefghij, Klmnopq", "Klmnopqrst Abcdefgh"}));
}

TEST(BusinessCardChoicesTest, NumbersLoseBlanksAndHyphensAndLongOnesAreRefused) {
  EXPECT_EQ(CleanCardNumberForSaving("+49 170 - 123-45 6"), "+49170123456");
  EXPECT_EQ(CleanCardNumberForSaving(" - "), "");
  EXPECT_EQ(CleanCardNumberForSaving(std::string(23, '1') + " - "), std::string(23, '1'));
  EXPECT_FALSE(CleanCardNumberForSaving(std::string(24, '1')));
  EXPECT_FALSE(CleanCardNumberForSaving("+49-" + std::string(22, '1')));
}

}  // namespace
}  // namespace zeph
