#include "core/compose/composer_send.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/store/message_file.h"
#include "core/util/fixed_text.h"
#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::At;
using testing::Contact;
using testing::Message;
using testing::NumberedPicture;
using testing::RecordLocked;
using testing::TempFolder;

TEST(PrepareEditorTest, ReplyNamesTheSenderThroughTheLastSixCharacters) {
  ContactList contacts;
  contacts.Add(Contact("Anna", "0401234567"));
  contacts.Add(Contact("Anna again", "+358401234567"));
  auto inbox = Message("+358401234567", "hello", {}, MRF_READ | MRF_REPLYPATH);
  inbox->serviceCentre = MakeField<kServiceCentreSize>("+358405550100");
  inbox->numbers.Add(MakeField<kNumberBlockSize>("99999"));
  const auto scratch = ReplyScratch(*inbox);
  const EditorStart start =
      PrepareEditor({EditorMode::kReply, scratch.get(), SourceFolder::kInbox, 4}, true, contacts);
  EXPECT_EQ(std::tuple(start.recipients, FieldText(start.serviceCentre), start.text, start.index),
            std::tuple(RecipientList{{"Anna", "+358401234567"}, {"99999", "99999"}},
                       "+358405550100", std::nullopt, 4));
}

TEST(PrepareEditorTest, ForwardCutsItsOwnCopyAndDropsThePictureWithoutLongMessages) {
  auto source = Message("+358401234567", std::string(1100, 'a'), {}, MRF_PICTURE);
  source->picture = NumberedPicture();
  const auto scratch = ForwardScratch(*source);
  const EditorRequest request{EditorMode::kForward, scratch.get(), SourceFolder::kInbox, 0};

  const EditorStart allowed = PrepareEditor(request, true, {});
  EXPECT_EQ(std::tuple(allowed.text, allowed.picture, allowed.recipients.size()),
            std::tuple(std::string(1064, 'a'), NumberedPicture(), 0u));
  EXPECT_EQ(source->text->size(), 1100u);
  const EditorStart single = PrepareEditor(request, false, {});
  EXPECT_EQ(std::tuple(single.text, single.picture),
            std::tuple(std::string(160, 'a'), std::nullopt));
}

TEST(PrepareEditorTest, NewMessageAndNoRequestStartEmpty) {
  auto record = Message("+358401234567", "ignored");
  for (const MessageRecord* given : {static_cast<MessageRecord*>(nullptr), record.get()}) {
    const EditorStart start =
        PrepareEditor({EditorMode::kNew, given, SourceFolder::kInbox, 0}, true, {});
    EXPECT_FALSE(start.text.has_value());
    EXPECT_TRUE(start.recipients.empty());
  }
}

TEST(RecipientsTest, ContactsByNameIgnoreCaseAndKeepSimOrderOnTies) {
  ContactList contacts;
  contacts.Add(Contact("bertil", "1"));
  contacts.Add(Contact("Anna", "2"));
  contacts.Add(Contact("anna", "3"));
  contacts.Add(Contact("Cecilia", "4"));
  EXPECT_EQ(ContactsByName(contacts), (std::vector<int>{1, 2, 0, 3}));
  EXPECT_EQ(RecipientOfContact(contacts, 3), (Recipient{"Cecilia", "4"}));
  EXPECT_FALSE(RecipientOfContact(contacts, 4).has_value());
}

TEST(RecipientsTest, TypedNumbersNeedThreeCharactersAndKeep23) {
  EXPECT_EQ(RecipientOfTypedNumber(std::string(30, '9'))->number, std::string(23, '9'));
}

class ComposerSendTest : public ::testing::Test {
 protected:
  std::unique_ptr<MessageRecord> Build(RecipientList recipients,
                                       std::optional<PictureImage> picture = std::nullopt) {
    return BuildOutgoingRecord(recipients, "text", picture);
  }
  TempFolder folder;
  StorePaths paths = StorePaths::InFolder(folder.path().string());
  AppLists lists;
  RecordTime now = At(2026, 3, 14, 15, 9, 26);
};

TEST_F(ComposerSendTest, ThreeRecipientsGiveThreeRecordsWithReferencesOneTwoThree) {
  EXPECT_EQ(Build({}), nullptr);
  auto record = Build({{"Anna", "111"}, {"Bo", "222"}, {"Anna", "111"}}, NumberedPicture());
  PrepareOutgoing(*record, {}, now, lists, paths);
  const auto centre = MakeField<kServiceCentreSize>("+358405550100");
  EXPECT_EQ(QueueOutgoing(*record, centre, lists.outbox, paths.outbox), 3);

  // Each copy as it was queued, in the Outbox and in its file.
  MessageList expected;
  uint8_t reference = 0;
  for (const char* number : {"111", "222", "111"}) {
    auto queued = Message(number, "text", now, MRF_PICTURE | MRF_OUTGOING | MRF_WAITING);
    queued->reference = ++reference;
    queued->picture = NumberedPicture();
    queued->serviceCentre = centre;
    expected.Add(std::move(queued));
  }
  MessageList saved;
  ASSERT_EQ(LoadMessageFile(paths.outbox, saved), 3);
  EXPECT_EQ(SerializeMessageFile(saved), SerializeMessageFile(expected));
  ScopedLock hold(lists.outbox);
  EXPECT_EQ(SerializeMessageFile(lists.outbox), SerializeMessageFile(expected));
  // A new message touches neither the Inbox nor the Sent file.
  MessageList inbox;
  EXPECT_EQ(LoadMessageFile(paths.inbox, inbox), 0);
}

TEST_F(ComposerSendTest, ReplyMarksTheInboxMessageAndTakesItsFlags) {
  lists.inbox.Add(Message("111", "first", {}, MRF_READ));
  lists.inbox.Add(Message("222", "question", {}, MRF_READ | MRF_REPLYPATH | MRF_PICTURE));
  auto record = Build({{"b", "222"}});
  PrepareOutgoing(*record, {EditorMode::kReply, SourceFolder::kInbox, 1}, now, lists, paths);
  EXPECT_EQ(lists.inbox.GetAt(1)->flags, MRF_READ | MRF_REPLYPATH | MRF_PICTURE | MRF_REPLIED);
  EXPECT_EQ(lists.inbox.GetAt(0)->flags, MRF_READ);
  // The reply has no picture of its own, so MRF_PICTURE stays off.
  EXPECT_EQ(record->flags, MRF_READ | MRF_REPLYPATH | MRF_REPLIED | MRF_OUTGOING);
  MessageList inbox;
  ASSERT_EQ(LoadMessageFile(paths.inbox, inbox), 2);
  EXPECT_TRUE(inbox.GetAt(1)->flags & MRF_REPLIED);
}

TEST_F(ComposerSendTest, ForwardMarksTheSourceInItsFolderAndAGoneSourceNothing) {
  lists.inbox.Add(Message("111", "in", {}, MRF_READ));
  lists.sent.Add(Message("222", "out", {}, MRF_OUTGOING | MRF_SENDING));
  auto fromInbox = Build({{"x", "333"}});
  PrepareOutgoing(*fromInbox, {EditorMode::kForward, SourceFolder::kInbox, 0}, now, lists, paths);
  auto fromSent = Build({{"x", "333"}});
  PrepareOutgoing(*fromSent, {EditorMode::kForward, SourceFolder::kSent, 0}, now, lists, paths);
  EXPECT_EQ(lists.inbox.GetAt(0)->flags, MRF_READ | MRF_FORWARDED);
  EXPECT_EQ(RecordLocked(lists.sent, 0)->flags, MRF_OUTGOING | MRF_SENDING | MRF_FORWARDED);
  EXPECT_EQ(fromSent->flags, MRF_OUTGOING);  // a forward keeps its own flags
  MessageList sent;
  ASSERT_EQ(LoadMessageFile(paths.sent, sent), 1);
  EXPECT_TRUE(sent.GetAt(0)->flags & MRF_FORWARDED);

  // A source that is gone marks nothing.
  auto orphan = Build({{"x", "333"}});
  PrepareOutgoing(*orphan, {EditorMode::kReply, SourceFolder::kInbox, 7}, now, lists, paths);
  PrepareOutgoing(*orphan, {EditorMode::kForward, SourceFolder::kSent, -1}, now, lists, paths);
  EXPECT_EQ(orphan->flags, MRF_OUTGOING);
}

}  // namespace
}  // namespace zeph
