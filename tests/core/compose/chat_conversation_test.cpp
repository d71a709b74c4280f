#include "core/compose/chat_conversation.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/folders/contact_lookup.h"
#include "core/store/file_time.h"
#include "support/records.h"

namespace zeph {
namespace {

using testing::At;
using testing::Message;

struct Entry {
  bool sent;
  const char* number;
  const char* text;
  int hour, minute;  // on 2026-12-05
};

// The chat is seeded with one message from the partner; assembling replaces it.
TEST(ConversationTest, AssemblesThePartnersRecentMessagesInTimeOrder) {
  const std::string anna = "+447700900123";
  struct Case {
    const char* what;
    std::string partner;
    int hours;
    std::vector<Entry> entries;
    std::vector<std::string> chat;
  };
  const Case cases[] = {
      {"interleaved",
       anna,
       1,
       {{false, "+447700900123", "in 1", 11, 10},
        {false, "+449999999999", "other", 11, 15},
        {false, "07700900123", "in 2", 11, 30},
        {true, "07700900123", "out 1", 11, 5},
        {true, "+447700900123", "out 2", 11, 20},
        {true, "+447700900123", "out 3", 11, 40},
        {true, "+440000000000", "elsewhere", 11, 41}},
       {"out 1", "in 1", "out 2", "in 2", "out 3"}},
      {"zero hours leave the seed",
       anna,
       0,
       {{false, "+447700900123", "in", 11, 59}, {true, "+447700900123", "out", 11, 58}},
       {"seed"}},
      {"older than the cutoff",
       anna,
       2,
       {{false, "+447700900123", "too old", 9, 59}, {false, "+447700900123", "recent", 10, 1}},
       {"recent"}},
      {"sent at the moment of a received one",
       anna,
       1,
       {{false, "+447700900123", "in", 11, 30}, {true, "+447700900123", "same moment", 11, 30}},
       {"in"}},
      {"more hours than time has",
       anna,
       std::numeric_limits<int>::max(),
       {{false, "+447700900123", "old", 0, 0}},
       {"old"}},
      {"five characters matched whole",
       "12345",
       5,
       {{false, "0012345", "contains it", 11, 0}, {false, "1234", "does not", 11, 1}},
       {"contains it"}},
  };
  for (const Case& c : cases) {
    MessageList inbox, sent, chat;
    chat.Add(Message(c.partner, "seed"));
    for (const Entry& e : c.entries)
      (e.sent ? sent : inbox).Add(Message(e.number, e.text, At(2026, 12, 5, e.hour, e.minute)));
    AssembleConversation(inbox, sent, MatchKey(c.partner),
                         ChatCutoff(At(2026, 12, 5, 12, 0), c.hours), chat);
    EXPECT_EQ(testing::TextsOf(chat), c.chat) << c.what;
  }
}

// Whose name heads an entry: the chat window's save test.
TEST(ChatTranscriptTest, FourLinesPerEntryWithCrLf) {
  MessageList chat;
  chat.Add(Message("0123", "Hi there", At(2002, 12, 5, 9, 5)));
  auto picture = CreateMessageRecord();
  picture->time = At(2002, 12, 5, 10, 0);
  chat.Add(std::move(picture));
  EXPECT_EQ(ChatTranscript(chat, "Me", "Anna"),
            "Anna says:\r\n  Hi there\r\n   05.12 2002 9:05\r\n\r\n"
            "Anna says:\r\n\r\n   05.12 2002 10:00\r\n\r\n");
}

}  // namespace
}  // namespace zeph
