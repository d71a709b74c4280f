#include "core/compose/chat_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "core/settings/memory_settings_store.h"
#include "core/store/message_file.h"
#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::At;
using testing::Contact;
using testing::Message;

constexpr const char* kPartner = "+447700900123";

class ChatOpeningTest : public ::testing::Test {
 protected:
  ChatOpening Open(const MessageRecord& seed) {
    StartConversation(chat, seed);
    return OpenConversation(chat, inbox, sent, contacts, settings, At(2026, 12, 5, 12, 0));
  }
  MessageList inbox, chat;
  LockedMessageList sent;
  ContactList contacts;
  MemorySettingsStore settings;
};

TEST_F(ChatOpeningTest, SettingsAreReadWithTheirFallbacks) {
  contacts.Add(Contact("Anna", "07700900123"));
  inbox.Add(Message(kPartner, "an hour ago", At(2026, 12, 5, 11, 0)));
  // Nothing stored: "Own Name", not on top, and 0 hours leave the seed alone.
  ChatOpening opening = Open(*Message(kPartner, "seed"));
  EXPECT_EQ(std::tuple(opening.partnerNumber, opening.partnerName, opening.ownName, opening.onTop,
                       testing::TextsOf(chat)),
            std::tuple(kPartner, "Anna", "Own Name", false, std::vector<std::string>{"seed"}));

  settings.WriteSettingString(kAppSettingsSection, "", kOwnNameSetting, "Bea");
  settings.WriteSettingInt(kAppSettingsSection, "", kChatHoursSetting, 2);
  settings.WriteSettingInt(kAppSettingsSection, "", kChatOnTopSetting, 1);
  opening = Open(*Message(kPartner, "seed"));
  EXPECT_EQ(std::tuple(opening.ownName, opening.onTop, testing::TextsOf(chat)),
            std::tuple("Bea", true, std::vector<std::string>{"an hour ago"}));
}

TEST_F(ChatOpeningTest, OpensOnAnArrivalOnlyWhenThePartnerSpokeFirst) {
  struct Case {
    const char* what;
    uint32_t flags;
    bool text;
    bool showsArrival;
  };
  const Case cases[] = {
      {"received text", 0, true, true},
      {"received picture without text", MRF_PICTURE, false, true},
      {"the user's own message", MRF_OUTGOING, true, false},
      {"neither text nor picture", 0, false, false},
  };
  for (const Case& c : cases) {
    auto seed = Message(kPartner, "seed", At(2026, 12, 5, 11, 0), c.flags);
    if (!c.text) seed->text.reset();
    if (c.flags & MRF_PICTURE) seed->picture = PictureImage{};
    EXPECT_EQ(Open(*seed).showsArrival, c.showsArrival) << c.what;
  }
  // What counts is the first entry after the assembly, not the seed.
  settings.WriteSettingInt(kAppSettingsSection, "", kChatHoursSetting, 1);
  sent.Add(Message(kPartner, "mine", At(2026, 12, 5, 11, 30), MRF_OUTGOING));
  EXPECT_FALSE(Open(*Message(kPartner, "seed")).showsArrival);
}

TEST(ChatQueueTest, EachMessageIsQueuedWaitingWithItsOwnReferenceAndCopiedIntoTheChat) {
  testing::TempFolder folder;
  const std::string path = folder.File("outbox.sms");
  LockedMessageList outbox;
  MessageList chat;
  const PictureImage picture = testing::NumberedPicture();
  QueueChatMessage(MakeChatMessage(kPartner, "first", std::nullopt, At(2026, 12, 5, 12, 1)), outbox,
                   path, chat);
  QueueChatMessage(MakeChatMessage(kPartner, "second", picture, At(2026, 12, 5, 12, 2)), outbox,
                   path, chat);

  // Each as it was queued: waiting, with its own reference, in the Outbox, its file and the chat.
  MessageList expected;
  for (int i : {1, 2}) {
    auto queued = Message(kPartner, i == 1 ? "first" : "second", At(2026, 12, 5, 12, i),
                          MRF_OUTGOING | MRF_WAITING | (i == 2 ? MRF_PICTURE : 0));
    queued->reference = static_cast<uint8_t>(i);
    if (i == 2) queued->picture = picture;
    expected.Add(std::move(queued));
  }
  MessageList saved;
  ASSERT_EQ(LoadMessageFile(path, saved), 2);
  const MessageList* lists[] = {&outbox, &saved, &chat};
  for (const MessageList* list : lists)
    EXPECT_EQ(SerializeMessageFile(*list), SerializeMessageFile(expected));
}

TEST(ChatSaveTest, AFileThatCannotBeWrittenIsAFailure) {
  testing::TempFolder folder;
  MessageList chat;
  chat.Add(Message(kPartner, "Hi", At(2002, 12, 5, 9, 5)));
  // A folder in the file's place: refused before any temporary file is made.
  std::filesystem::create_directory(folder.File("taken.txt"));
  EXPECT_FALSE(SaveConversation(folder.File("taken.txt"), chat, "Me", "Anna"));
}

}  // namespace
}  // namespace zeph
