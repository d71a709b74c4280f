#include "cardservice/card_model.h"

#include <gtest/gtest.h>

#include "cardservice/received_blocks.h"
#include "core/codecs/card_message_layout.h"

namespace zeph::cardservice {
namespace {

std::vector<uint8_t> TextBlock(const std::string& text, uint8_t status = 0x02, uint8_t kind = 1) {
  BlockHead head;
  head.status = status;
  head.kind = kind;
  head.number = "+1";
  return BuildReceivedBlock(head, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string TextOf(const StoredMessage* message) {
  if (!message) return "<none>";
  return std::string(message->block.begin() + 62, message->block.end());
}

// A block as the send engine builds it: head, text data of kind 4.
SendRequest TextSend(const std::string& to, const std::string& text, uint8_t kind = 4) {
  SendRequest send;
  send.destination = to;
  send.block.assign(62, 0);
  send.block[1] = kind;
  send.block[60] = static_cast<uint8_t>(text.size());
  send.block.insert(send.block.end(), text.begin(), text.end());
  return send;
}

TEST(CardStore, CountsByKindAndKeepsSlotsStableDuringAPass) {
  CardModel card;
  card.Arrive(TextBlock("a"));
  card.Arrive(TextBlock("b"));
  card.Arrive(TextBlock("kept", 0x0A));          // status bit 0x08: left on the card
  card.Arrive(TextBlock("kind2", 0x02, 2));       // kind 2: left too
  card.Arrive(TextBlock("c"));
  EXPECT_EQ(card.TakeArrivals(), 5);

  auto counts = card.CountStored();
  EXPECT_EQ(counts, (std::array<uint8_t, 3>{3, 0, 2}));
  // A reading pass: read everything, delete the taken ones by the index read.
  for (size_t i = 0; i < 5; ++i) {
    StoredMessage* message = card.Slot(i);
    ASSERT_NE(message, nullptr);
    message->read = true;
    std::string text = TextOf(message);
    if (text != "kept" && text != "kind2") {
      EXPECT_TRUE(card.DeleteSlot(i)) << i;
    }
  }
  EXPECT_FALSE(card.DeleteSlot(0));  // already gone
  EXPECT_EQ(card.Slot(30), nullptr);

  // The next count closes the gaps, oldest first.
  card.Arrive(TextBlock("d"));
  counts = card.CountStored();
  EXPECT_EQ(counts, (std::array<uint8_t, 3>{1, 0, 2}));
  EXPECT_EQ(TextOf(card.Slot(0)), "d");  // arrived into the first free slot
  EXPECT_EQ(TextOf(card.Slot(1)), "kept");
  EXPECT_EQ(TextOf(card.Slot(2)), "kind2");
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
  EXPECT_EQ(TextOf(card.Slot(4)), "30");
  EXPECT_EQ(card.HeldByNetwork(), 0u);
  EXPECT_EQ(card.TakeArrivals(), 1);
}

TEST(CardStore, ScheduledMessagesArriveWhenDue) {
  CardModel card;
  card.Schedule(TextBlock("late"), 500);
  card.Schedule(TextBlock("early"), 100);
  EXPECT_EQ(card.NextDue(), 100u);
  card.Advance(99);
  EXPECT_EQ(card.StoredCount(), 0u);
  card.Advance(100);
  EXPECT_EQ(TextOf(card.Slot(0)), "early");
  card.Advance(1000);
  EXPECT_EQ(TextOf(card.Slot(1)), "late");
  EXPECT_FALSE(card.NextDue());
}

TEST(CardNetwork, RefusesMalformedSendsWithDistinctStatuses) {
  CardModel card;
  EXPECT_EQ(card.Send(TextSend("", "x"), 0).status, status::kBadDestination);
  EXPECT_EQ(card.Send(TextSend("+49 170", "x"), 0).status, status::kBadDestination);
  EXPECT_EQ(card.Send(TextSend("12345678901234567890123", "x"), 0).status, status::kBadDestination);

  auto lying = TextSend("+1", "abc");
  lying.block[60] = 4;  // says four bytes, carries three
  EXPECT_EQ(card.Send(lying, 0).status, status::kBadMessage);
  EXPECT_EQ(card.Send(TextSend("+1", "x", 9), 0).status, status::kBadMessage);  // unknown kind
  EXPECT_EQ(card.Send(TextSend("+1", std::string(1065, 'x')), 0).status, status::kBadMessage);

  SendRequest picture;  // a picture payload whose text length does not add up
  picture.destination = "+1";
  picture.block.assign(62, 0);
  picture.block[1] = 3;
  std::vector<uint8_t> data = {9, 0, 72, 0, 28, 0, 'a', 'b', 'c', 0};
  data.resize(6 + 4 + 252 + 1);
  picture.block[60] = static_cast<uint8_t>(data.size());
  picture.block[61] = static_cast<uint8_t>(data.size() >> 8);
  picture.block.insert(picture.block.end(), data.begin(), data.end());
  EXPECT_EQ(card.Send(picture, 0).status, status::kBadMessage);
  picture.block[62] = 4;  // text length 4 ("abc" and its terminator): fits
  EXPECT_EQ(card.Send(picture, 0).status, 0u);

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
  auto first = card.Send(TextSend("+4917", "hi"), 1000);
  auto second = card.Send(TextSend("+4917", "hi"), 1000);
  EXPECT_EQ(first.reference, 255);
  EXPECT_EQ(second.reference, 0);
  ASSERT_EQ(card.sentLog.size(), 2u);
  EXPECT_EQ(card.sentLog[0].text, "hi");
  EXPECT_EQ(card.sentLog[0].serviceCentre, card.centre.number);

  card.Advance(2999);
  EXPECT_EQ(card.StoredCount(), 0u);
  card.Advance(3000);
  ASSERT_EQ(card.StoredCount(), 2u);
  const auto& report = card.Slot(0)->block;
  EXPECT_EQ(report[card_message::kKindOffset], card_message::kKindReport);
  EXPECT_EQ(report[card_message::kReferenceOffset], 255);
  EXPECT_EQ(report[card_message::kReportStatusOffset], card_message::kReportDelivered);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&report[30])), "+4917");

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
  card.Advance(10);
  ASSERT_EQ(card.StoredCount(), 2u);
  EXPECT_EQ(TextOf(card.Slot(0)), "Echo: ping");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&card.Slot(0)->block[30])), "+10000");
  EXPECT_EQ(TextOf(card.Slot(1)), "to me");
  EXPECT_EQ(card.Slot(1)->block[card_message::kKindOffset], card_message::kKindText8);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&card.Slot(1)->block[30])), card.ownNumber);
}

TEST(CardNetwork, FailSendsFaultRefusesExactlyNSends) {
  CardModel card;
  card.faults.failSends = 2;
  card.faults.failStatus = 0x77;
  EXPECT_EQ(card.Send(TextSend("+1", "a"), 0).status, 0x77u);
  EXPECT_EQ(card.Send(TextSend("+1", "a"), 0).status, 0x77u);
  EXPECT_EQ(card.Send(TextSend("+1", "a"), 0).status, 0u);
  EXPECT_EQ(card.sentLog.size(), 1u);
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
