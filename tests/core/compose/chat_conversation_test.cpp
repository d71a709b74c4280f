#include "core/compose/chat_conversation.h"

#include <gtest/gtest.h>

#include "core/folders/contact_lookup.h"
#include "core/store/file_time.h"
#include "support/records.h"

namespace zeph {
namespace {

using testing::At;
using testing::Message;

std::vector<std::string> Texts(const MessageList& chat) {
  std::vector<std::string> texts;
  for (const MessageRecord& entry : chat) texts.push_back(TextOf(entry));
  return texts;
}

class ConversationTest : public ::testing::Test {
 protected:
  void Seed() { chat.Add(Message("+447700900123", "seed")); }
  void Assemble(int hours, const RecordTime& now = At(2026, 12, 5, 12, 0)) {
    AssembleConversation(inbox, sent, MatchKey("+447700900123"), ChatCutoff(now, hours), chat);
  }
  MessageList inbox, sent, chat;
};

TEST_F(ConversationTest, InterleavesSentAndReceivedInTimeOrder) {
  Seed();
  inbox.Add(Message("+447700900123", "in 1", At(2026, 12, 5, 11, 10)));
  inbox.Add(Message("+449999999999", "other", At(2026, 12, 5, 11, 15)));
  inbox.Add(Message("07700900123", "in 2", At(2026, 12, 5, 11, 30)));
  sent.Add(Message("07700900123", "out 1", At(2026, 12, 5, 11, 5)));
  sent.Add(Message("+447700900123", "out 2", At(2026, 12, 5, 11, 20)));
  sent.Add(Message("+447700900123", "out 3", At(2026, 12, 5, 11, 40)));
  sent.Add(Message("+440000000000", "elsewhere", At(2026, 12, 5, 11, 41)));
  Assemble(1);
  EXPECT_EQ(Texts(chat), (std::vector<std::string>{"out 1", "in 1", "out 2", "in 2", "out 3"}));
}

TEST_F(ConversationTest, ZeroHoursLeavesTheSeedAlone) {
  Seed();
  inbox.Add(Message("+447700900123", "in", At(2026, 12, 5, 11, 59)));
  sent.Add(Message("+447700900123", "out", At(2026, 12, 5, 11, 58)));
  Assemble(0);
  EXPECT_EQ(Texts(chat), (std::vector<std::string>{"seed"}));
}

TEST_F(ConversationTest, OlderThanTheCutoffIsLeftOut) {
  Seed();
  inbox.Add(Message("+447700900123", "too old", At(2026, 12, 5, 9, 59)));
  inbox.Add(Message("+447700900123", "recent", At(2026, 12, 5, 10, 1)));
  Assemble(2);
  EXPECT_EQ(Texts(chat), (std::vector<std::string>{"recent"}));
}

TEST_F(ConversationTest, SentAtTheSameMomentAsAReceivedIsNotPlacedBeforeIt) {
  Seed();
  inbox.Add(Message("+447700900123", "in", At(2026, 12, 5, 11, 30)));
  sent.Add(Message("+447700900123", "same moment", At(2026, 12, 5, 11, 30)));
  Assemble(1);
  EXPECT_EQ(Texts(chat), (std::vector<std::string>{"in"}));
}

TEST_F(ConversationTest, FiveCharacterPartnerIsMatchedWhole) {
  chat.Add(Message("12345", "seed"));
  inbox.Add(Message("0012345", "contains it", At(2026, 12, 5, 11, 0)));
  inbox.Add(Message("1234", "does not", At(2026, 12, 5, 11, 1)));
  AssembleConversation(inbox, sent, MatchKey("12345"), ChatCutoff(At(2026, 12, 5, 12, 0), 5), chat);
  EXPECT_EQ(Texts(chat), (std::vector<std::string>{"contains it"}));
}

TEST(ChatCaptionTest, PartnerNumberComesBackFromTheCaption) {
  EXPECT_EQ(ChatCaption("Anna", "+447700900123"), "Anna <+447700900123>");
  EXPECT_EQ(PartnerNumberFromCaption("Anna <+447700900123>"), "+447700900123");
  EXPECT_EQ(PartnerNumberFromCaption("A <b> <0123>"), "0123");
  EXPECT_EQ(PartnerNumberFromCaption("no brackets"), "no brackets");
}

TEST(ChatTranscriptTest, FourLinesPerEntryWithCrLf) {
  MessageList chat;
  chat.Add(Message("0123", "Hi there", At(2002, 12, 5, 9, 5)));
  auto mine = Message("0123", "Hello", At(2002, 12, 5, 9, 7), MRF_OUTGOING);
  chat.Add(std::move(mine));
  auto picture = CreateMessageRecord();
  picture->time = At(2002, 12, 5, 10, 0);
  chat.Add(std::move(picture));
  EXPECT_EQ(ChatTranscript(chat, "Me", "Anna"),
            "Anna says:\r\n  Hi there\r\n   05.12 2002 9:05\r\n\r\n"
            "Me says:\r\n  Hello\r\n   05.12 2002 9:07\r\n\r\n"
            "Anna says:\r\n\r\n   05.12 2002 10:00\r\n\r\n");
}

}  // namespace
}  // namespace zeph
