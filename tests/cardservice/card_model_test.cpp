// The emulated card alone: a full store, malformed sends, echoes, the SIM's capacity.

#include "cardservice/card_model.h"

#include <gtest/gtest.h>

#include "cardservice/received_blocks.h"
#include "core/codecs/card_message_layout.h"

namespace zeph::cardservice {
namespace {

namespace cm = card_message;

std::vector<uint8_t> TextBlock(const std::string& text, uint8_t status = 0x02, uint8_t kind = 1) {
  BlockHead head;
  head.status = status;
  head.kind = kind;
  head.number = "+1";
  return BuildReceivedBlock(head, std::vector<uint8_t>(text.begin(), text.end()));
}

// Every stored message as "slot kind number text", in slot order.
std::vector<std::string> Slots(CardModel& card) {
  std::vector<std::string> slots;
  for (size_t i = 0; i < kStoreSlots; ++i)
    if (const StoredMessage* message = card.Slot(i))
      slots.push_back(std::to_string(i) + " " + std::to_string(message->block[cm::kKindOffset]) +
                      " " + reinterpret_cast<const char*>(&message->block[cm::kNumberOffset]) +
                      " " +
                      std::string(message->block.begin() + cm::kHeadSize, message->block.end()));
  return slots;
}

// A block as the send engine builds it: head, then data of the given kind.
SendRequest TextSend(const std::string& to, const std::string& text, uint8_t kind = 4) {
  SendRequest send;
  send.destination = to;
  send.block.assign(cm::kHeadSize, 0);
  send.block[cm::kKindOffset] = kind;
  send.block[cm::kDataLengthOffset] = static_cast<uint8_t>(text.size());
  send.block[cm::kDataLengthOffset + 1] = static_cast<uint8_t>(text.size() >> 8);
  send.block.insert(send.block.end(), text.begin(), text.end());
  return send;
}

TEST(CardStore, CountsByKindAndClosesGapsOnlyAtTheNextCount) {
  CardModel card;
  for (auto [text, status, kind] :
       {std::tuple{"a", 0x02, 1}, {"b", 0x02, 1}, {"kept", 0x0A, 1}, {"kind2", 0x02, 2}})
    card.Arrive(TextBlock(text, static_cast<uint8_t>(status), static_cast<uint8_t>(kind)));
  EXPECT_EQ(card.TakeArrivals(), 4);
  EXPECT_EQ(card.CountStored(), (std::array<uint8_t, 3>{2, 0, 2}));
  EXPECT_TRUE(card.DeleteSlot(0));
  EXPECT_TRUE(card.DeleteSlot(1));
  EXPECT_FALSE(card.DeleteSlot(0));  // already gone; the others keep their slots
  EXPECT_EQ(Slots(card), (std::vector<std::string>{"2 1 +1 kept", "3 2 +1 kind2"}));
  EXPECT_EQ(card.Slot(30), nullptr);

  card.Arrive(TextBlock("c"));  // into the first free slot
  EXPECT_EQ(card.CountStored(), (std::array<uint8_t, 3>{1, 0, 2}));
  EXPECT_EQ(Slots(card), (std::vector<std::string>{"0 1 +1 c", "1 1 +1 kept", "2 2 +1 kind2"}));
  card.Slot(0)->read = true;
  EXPECT_EQ(card.CountStored(), (std::array<uint8_t, 3>{0, 1, 2}));
}

TEST(CardStore, AFullStoreLeavesMessagesWithTheNetworkUntilASlotFrees) {
  CardModel card;
  for (int i = 0; i < 31; ++i) card.Arrive(TextBlock(std::to_string(i)));
  EXPECT_EQ(card.StoredCount(), 30u);
  EXPECT_EQ(card.HeldByNetwork(), 1u);
  EXPECT_EQ(card.TakeArrivals(), 30);
  EXPECT_TRUE(card.DeleteSlot(4));
  EXPECT_EQ(Slots(card).at(4), "4 1 +1 30");
  EXPECT_EQ(card.HeldByNetwork(), 0u);
  EXPECT_EQ(card.TakeArrivals(), 1);
}

TEST(CardNetwork, RefusesMalformedSendsWithDistinctStatuses) {
  // A picture payload: text length, 72, 28, "abc" and its terminator, the rows.
  SendRequest picture =
      TextSend("+1", std::string("\x04\0H\0\x1C\0abc\0", 10) + std::string(252, 0), 3);
  SendRequest lying = TextSend("+1", "abc");
  lying.block[cm::kDataLengthOffset] = 4;  // says four bytes, carries three
  SendRequest badPicture = picture;
  badPicture.block[cm::kHeadSize] = 9;  // a text length that does not add up
  const std::tuple<const char*, SendRequest, uint32_t> cases[] = {
      {"no destination", TextSend("", "x"), status::kBadDestination},
      {"blank in the number", TextSend("+49 170", "x"), status::kBadDestination},
      {"23 digits", TextSend("12345678901234567890123", "x"), status::kBadDestination},
      {"length past the data", lying, status::kBadMessage},
      {"unknown kind", TextSend("+1", "x", 9), status::kBadMessage},
      {"past the long-message limit", TextSend("+1", std::string(1065, 'x')), status::kBadMessage},
      {"picture text length", badPicture, status::kBadMessage},
      {"picture", picture, 0},
  };
  for (const auto& [what, send, status] : cases)
    EXPECT_EQ(CardModel().Send(send, 0).status, status) << what;
  CardModel card;
  card.SetConnectionState(kStateSearching);
  EXPECT_EQ(card.Send(TextSend("+1", "x"), 0).status, status::kNoNetwork);
  card.SetConnectionState(kStateGprs);
  card.simPresent = false;
  EXPECT_EQ(card.ConnectionState(), 0x401u);  // no network takes a card without SIM
  EXPECT_EQ(card.Send(TextSend("+1", "x"), 0).status, status::kNoNetwork);
}

TEST(CardNetwork, ReferencesWrapAndReportsArriveAfterTheirDelay) {
  CardModel card;
  card.nextReference = 255;
  card.reportDelayMs = 2000;
  EXPECT_EQ(card.Send(TextSend("+4917", "hi"), 1000).reference, 255);
  EXPECT_EQ(card.Send(TextSend("+4917", "hi"), 1000).reference, 0);
  card.Advance(2999);
  EXPECT_EQ(card.StoredCount(), 0u);
  card.Advance(3000);
  EXPECT_EQ(card.StoredCount(), 2u);
  // The reports' fields and the sent log: reception_test and send_engine_test, through the service.

  card.sendOptions.deliveryReports = 0;
  card.Send(TextSend("+4917", "quiet"), 5000);
  EXPECT_FALSE(card.NextDue());
}

TEST(CardNetwork, EchoesAndOwnNumberComeBack) {
  CardModel card;
  card.sendOptions.deliveryReports = 0;
  card.echoDelayMs = 10;
  card.Send(TextSend(kEchoNumber, "ping"), 0);
  card.Send(TextSend(card.ownNumber, "to me"), 0);
  const std::string picture = std::string("\x01\0H\0\x1C\0\0", 7) + std::string(252, 1);
  card.Send(TextSend(card.ownNumber, picture, 3), 0);
  card.Advance(10);
  EXPECT_EQ(Slots(card),
            (std::vector<std::string>{"0 1 +10000 Echo: ping", "1 1 " + card.ownNumber + " to me",
                                      "2 3 " + card.ownNumber + " " + picture}));
}

TEST(CardSim, LocationsAreGivenByTheCardUpToItsCapacity) {
  CardModel card;
  card.nameLimit = 5;
  EXPECT_EQ(card.AddEntry("Alexandra", "+1"), 1);
  EXPECT_EQ(card.phonebook[1].name, "Alexa");  // cut to the SIM's name limit
  EXPECT_EQ(card.AddEntry("B", "+2"), 2);
  EXPECT_TRUE(card.DeleteEntry(1));
  EXPECT_EQ(card.AddEntry("C", "+3"), 1);  // the lowest free location
  EXPECT_FALSE(card.ReplaceEntry(9, "x", "y"));
  EXPECT_FALSE(card.DeleteEntry(9));
  for (size_t i = 2; i < kSimCapacity; ++i) ASSERT_TRUE(card.AddEntry("n", "1"));
  EXPECT_FALSE(card.AddEntry("full", "1"));
}

}  // namespace
}  // namespace zeph::cardservice
