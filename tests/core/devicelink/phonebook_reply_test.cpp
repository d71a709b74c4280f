#include "core/devicelink/phonebook_reply.h"

#include <gtest/gtest.h>

#include "core/devicelink/result_codes.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

// A 34 326-byte reply: count at 20, locations at 22, names at 1046 (42 each), numbers at 22550.
struct Reply {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(34326, 0);
  void Count(uint16_t n) {
    bytes[20] = static_cast<uint8_t>(n);
    bytes[21] = static_cast<uint8_t>(n >> 8);
  }
  void Entry(size_t i, uint16_t location, std::vector<uint16_t> units, const std::string& number) {
    bytes[22 + 2 * i] = static_cast<uint8_t>(location);
    bytes[23 + 2 * i] = static_cast<uint8_t>(location >> 8);
    for (size_t k = 0; k < units.size(); ++k) {
      bytes[1046 + 42 * i + 2 * k] = static_cast<uint8_t>(units[k]);
      bytes[1047 + 42 * i + 2 * k] = static_cast<uint8_t>(units[k] >> 8);
    }
    std::copy(number.begin(), number.end(), bytes.begin() + static_cast<long>(22550 + 23 * i));
  }
};

TEST(ParsePhonebookReply, ReadsEntriesInReplyOrderAndCutsLongNamesAndNumbers) {
  Reply reply;
  reply.Count(3);
  reply.Entry(0, 7, {'A', 'n', 'n', 'a'}, "+491701234");
  reply.Entry(1, 3, {0xFFE9, 'v', 0x0145}, "112");  // low bytes: E9 'v' 45
  // 21 units and 23 characters, neither with a terminator in its field.
  reply.Entry(2, 1, std::vector<uint16_t>(21, 'x'), "12345678901234567890123");
  ContactList contacts;
  ASSERT_EQ(ParsePhonebookReply(reply.bytes, contacts), kResultOk);
  std::vector<std::string> entries;  // "location name number"
  for (const ContactEntry& e : contacts)
    entries.push_back(std::to_string(e.location) + " " + FieldText(e.name) + " " +
                      FieldText(e.number));
  EXPECT_EQ(entries,
            (std::vector<std::string>{"7 Anna +491701234", "3 \xE9vE 112",
                                      "1 " + std::string(20, 'x') + " 1234567890123456789012"}));
}

// A short reply leaves the list alone; an empty one empties it; a count past the room is cut.
TEST(ParsePhonebookReply, ShortEmptyAndOversizedReplies) {
  ContactList contacts;
  contacts.Add(std::make_unique<ContactEntry>());
  Reply cut;
  cut.Count(1);
  cut.bytes.pop_back();
  EXPECT_EQ(ParsePhonebookReply(cut.bytes, contacts), kResultShortReply);
  EXPECT_EQ(ParsePhonebookReply({}, contacts), kResultShortReply);
  EXPECT_EQ(contacts.Count(), 1);

  Reply empty;
  ASSERT_EQ(ParsePhonebookReply(empty.bytes, contacts), kResultOk);
  EXPECT_EQ(contacts.Count(), 0);

  Reply huge;
  huge.Count(0xFFFF);
  huge.Entry(511, 511, {'z'}, "9");
  ASSERT_EQ(ParsePhonebookReply(huge.bytes, contacts), kResultOk);
  EXPECT_EQ(contacts.Count(), 512);
  EXPECT_EQ(FieldText(contacts.GetAt(511)->name), "z");
}

// Widening sign-extends (the add request's bytes) and narrowing takes the low
// byte (the reply's names); here the cut and a field cut inside a unit.
TEST(ContactNames, WideningCutsTo20AndNarrowingStopsAtAHalfUnit) {
  auto longest = WidenContactName(std::string(25, 'q'));  // cut to 20: the 0 unit stays inside
  EXPECT_EQ(longest[38], 'q');
  EXPECT_EQ(longest[40], 0);
  EXPECT_EQ(longest[41], 0);

  const uint8_t odd[] = {'a', 0, 'b'};  // a field cut inside a unit
  EXPECT_EQ(NarrowContactName(odd), "a");
}

}  // namespace
}  // namespace zeph
