#include "core/codecs/business_card.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codecs/business_card_choices.h"

namespace zeph {
namespace {

using Strings = std::vector<std::string>;

std::string Name(const BusinessCardFields& card, size_t i) { return card.names[i].data(); }
std::string Number(const BusinessCardFields& card, size_t i) { return card.numbers[i].data(); }

BusinessCardFields Parse(std::string_view text) {
  auto card = ParseBusinessCardText(text);
  EXPECT_TRUE(card) << text;
  return card.value_or(BusinessCardFields{});
}

std::string Card(std::string_view lines) {
  return "BEGIN:VCARD\r\nVERSION:2.1\r\n" + std::string(lines) + "END:VCARD\r\n";
}

TEST(BusinessCardTest, BuiltCardIsFiveFixedLines) {
  std::string card = BuildBusinessCard("Anna", "+4917012345");
  EXPECT_EQ(card,
            "BEGIN:VCARD\r\nVERSION:2.1\r\nN;ISO-8859-1:Anna\r\nTEL:+4917012345\r\nEND:VCARD\r\n");
  EXPECT_EQ(card.size(), 73u);
}

TEST(BusinessCardTest, BuiltCardParsesBack) {
  BusinessCardFields card = Parse(BuildBusinessCard("Dr. M\xFCller", "+49 30 1234"));
  EXPECT_EQ(Name(card, 0), "Dr. M\xFCller");
  EXPECT_EQ(Name(card, 1), "");
  EXPECT_EQ(Number(card, 0), "+49 30 1234");
  EXPECT_EQ(Number(card, 1), "");
  EXPECT_EQ(BusinessCardNameVariants(card), Strings{"Dr. M\xFCller"});
}

TEST(BusinessCardTest, FnWinsOverNAndIsNotDecoded) {
  BusinessCardFields card =
      Parse(Card("N:Smith;John;;;\r\nFN;ENCODING=QUOTED-PRINTABLE:John =3D Smith\r\nTEL:1\r\n"));
  EXPECT_EQ(Name(card, 0), "John =3D Smith");
  EXPECT_EQ(Name(card, 1), "");
  EXPECT_EQ(BusinessCardNameVariants(card), Strings{"John =3D Smith"});
}

TEST(BusinessCardTest, FamilyAndGivenNameOfferThreeNames) {
  BusinessCardFields card = Parse(Card("N:Smith;John;;;\r\nTEL:1\r\n"));
  EXPECT_EQ(Name(card, 0), "Smith");
  EXPECT_EQ(Name(card, 1), "John");
  EXPECT_EQ(Name(card, 2), "");
  EXPECT_EQ(BusinessCardNameVariants(card), (Strings{"Smith", "Smith, John", "John Smith"}));
}

TEST(BusinessCardTest, AllFiveComponentsAndNoMore) {
  BusinessCardFields card = Parse(Card("N:F;G;M;Dr.;Jr.;extra\r\n"));
  EXPECT_EQ(Name(card, 0), "F");
  EXPECT_EQ(Name(card, 3), "Dr.");
  EXPECT_EQ(Name(card, 4), "Jr.");
}

TEST(BusinessCardTest, Utf8QuotedPrintableNameIsDecodedToLatin1) {
  BusinessCardFields card =
      Parse(Card("N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:B=C3=A4r;J=C3=A4na\r\n"));
  EXPECT_EQ(Name(card, 0), "B\xE4r");
  EXPECT_EQ(Name(card, 1), "J\xE4na");
  // Without the parameters the same text stays as it is.
  card = Parse(Card("N:B=C3=A4r\r\n"));
  EXPECT_EQ(Name(card, 0), "B=C3=A4r");
  // UTF-8 alone.
  card = Parse(Card("N;CHARSET=UTF-8:B\xC3\xA4r\r\n"));
  EXPECT_EQ(Name(card, 0), "B\xE4r");
}

TEST(BusinessCardTest, UndecodableUtf8Names) {
  // A character outside ISO-8859-1 shows as '?'.
  EXPECT_EQ(Name(Parse(Card("N;CHARSET=UTF-8:\xE2\x82\xAC 5\r\n")), 0), "? 5");
  // A component that is not valid UTF-8 is kept as its bytes.
  EXPECT_EQ(Name(Parse(Card("N;CHARSET=UTF-8:ab\xC3(\r\n")), 0), "ab\xC3(");
  EXPECT_EQ(Name(Parse(Card("N;CHARSET=UTF-8:\xF0\x9F\x98\x80x\r\n")), 0), "\xF0\x9F\x98\x80x");
}

TEST(BusinessCardTest, ThreeTelLinesInOrderFirstChecked) {
  BusinessCardFields card =
      Parse(Card("N:A\r\nTEL;CELL:+49 170-111\r\nTEL;HOME:0301234\r\nTEL:555\r\n"));
  EXPECT_EQ(Number(card, 0), "+49 170-111");
  EXPECT_EQ(Number(card, 1), "0301234");
  EXPECT_EQ(Number(card, 2), "555");
  EXPECT_EQ(Number(card, 3), "");
  std::vector<CardNumberChoice> choices = BusinessCardNumberChoices(card);
  ASSERT_EQ(choices.size(), 3u);
  EXPECT_EQ(choices[0].slot, 0);
  EXPECT_EQ(choices[0].number, "+49 170-111");
  EXPECT_EQ(choices[2].number, "555");
}

TEST(BusinessCardTest, EmptyTelValueKeepsItsSlotAndItemsKeepTheirs) {
  BusinessCardFields card = Parse(Card("N:A\r\nTEL:\r\nTEL:222\r\n"));
  EXPECT_EQ(Number(card, 0), "");
  EXPECT_EQ(Number(card, 1), "222");
  std::vector<CardNumberChoice> choices = BusinessCardNumberChoices(card);
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].slot, 1);
  EXPECT_EQ(choices[0].number, "222");
}

TEST(BusinessCardTest, TelIsFoundInsideOtherWords) {
  BusinessCardFields card = Parse(Card("N:A\r\nNOTE:Hotel HOTEL:42\r\n"));
  EXPECT_EQ(Number(card, 0), "42");
}

TEST(BusinessCardTest, CardWithoutNumbersOffersNone) {
  BusinessCardFields card = Parse(Card("N:A\r\n"));
  EXPECT_TRUE(BusinessCardNumberChoices(card).empty());
}

TEST(BusinessCardTest, CardsWithoutANameLineAreDropped) {
  EXPECT_FALSE(ParseBusinessCardText(Card("TEL:123\r\n")));
  EXPECT_FALSE(ParseBusinessCardText(""));
  // Shorter than the start position: nothing is searched.
  EXPECT_FALSE(ParseBusinessCardText("\r\nN:Bob"));
  EXPECT_FALSE(ParseBusinessCardText("VERSION\r\nFN:Bob\r\n"));
  // A name line before the start position does not count.
  EXPECT_FALSE(ParseBusinessCardText("\r\nN:Bob;;;;;;;;;;;;;;;;;;;;;;"));
  // The text ends at its first zero byte.
  EXPECT_FALSE(ParseBusinessCardText(std::string_view("BEGIN:VCARD\0\r\nN:Bob\r\n", 21)));
}

TEST(BusinessCardTest, AnyLineStartingWithNIsTheNameLine) {
  BusinessCardFields card = Parse(Card("NOTE:friend\r\nN:Real;Name\r\n"));
  EXPECT_EQ(Name(card, 0), "friend");
}

TEST(BusinessCardTest, OverlongFieldsAreCutTo63) {
  std::string longName(100, 'n');
  std::string longNumber(100, '7');
  BusinessCardFields card = Parse(Card("N:" + longName + ";" + longName + "\r\nTEL:" + longNumber +
                                       "\r\n"));
  EXPECT_EQ(Name(card, 0), longName.substr(0, 63));
  EXPECT_EQ(Name(card, 1), longName.substr(0, 63));
  EXPECT_EQ(Number(card, 0), longNumber.substr(0, 63));
  card = Parse(Card("FN:" + longName + "\r\n"));
  EXPECT_EQ(Name(card, 0), longName.substr(0, 63));
}

TEST(BusinessCardTest, OnlyTheFirstTenTelValuesAreKept) {
  std::string lines = "N:A\r\n";
  for (int i = 0; i < 12; ++i) lines += "TEL:" + std::to_string(i) + "\r\n";
  BusinessCardFields card = Parse(Card(lines));
  EXPECT_EQ(Number(card, 9), "9");
  EXPECT_EQ(BusinessCardNumberChoices(card).size(), 10u);
}

TEST(BusinessCardTest, ValuesWithoutCrRunToTheEnd) {
  BusinessCardFields card = Parse("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Fam;Giv");
  EXPECT_EQ(Name(card, 0), "Fam");
  EXPECT_EQ(Name(card, 1), "Giv");
  card = Parse("BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Whole\r\nTEL:123");
  EXPECT_EQ(Name(card, 0), "Whole");
  EXPECT_EQ(Number(card, 0), "123");
  card = Parse("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Fam;");
  EXPECT_EQ(Name(card, 0), "Fam");
  EXPECT_EQ(Name(card, 1), "");
}

TEST(BusinessCardTest, LinesWithoutColons) {
  // The parameters run to the first colon, even one on a later line.
  BusinessCardFields card = Parse(Card("N;X\r\n"));
  EXPECT_EQ(Name(card, 0), "VCARD");
  card = Parse("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8\r\n");
  EXPECT_EQ(Name(card, 0), "");
  card = Parse("BEGIN:VCARD\r\nVERSION:2.1\r\nFN");
  EXPECT_EQ(Name(card, 0), "");
  // A TEL with no colon after it ends the numbers.
  card = Parse("BEGIN:VCARD\r\nVERSION:2.1\r\nN:A\r\nTEL:1\r\nTEL");
  EXPECT_EQ(Number(card, 0), "1");
  EXPECT_EQ(Number(card, 1), "");
}

TEST(BusinessCardChoicesTest, LongNamesAreOfferedCutTo19) {
  BusinessCardFields card{};
  std::string twenty(20, 'a');
  std::copy(twenty.begin(), twenty.end(), card.names[0].begin());
  EXPECT_EQ(BusinessCardNameVariants(card), Strings{twenty});
  card.names[0][20] = 'b';
  EXPECT_EQ(BusinessCardNameVariants(card), Strings{std::string(19, 'a')});

  BusinessCardFields pair = Parse(Card("N:Abcdefghij;Klmnopqrst\r\n"));
  EXPECT_EQ(BusinessCardNameVariants(pair),
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
