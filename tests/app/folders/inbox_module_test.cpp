// The Inbox and Sent messages in the frame, against the card service's
// demo card; what reception files is the reception engine's own test.

#include <QLabel>
#include <QStatusBar>

#include "app/app_test_helpers.h"
#include "app/base/control_id.h"
#include "app/controls/message_text_control.h"
#include "app/folders/folder_list_view.h"
#include "app/shell/frame_windows.h"
#include "core/compose/chat_session.h"
#include "core/devicelink/ipc_client.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/atomic_file.h"
#include "core/util/byte_order.h"
#include "support/folders_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

using InboxTest = FoldersFixture;

TEST_F(InboxTest, FetchesAtStartShowsTheSelectionAndStoresTheReadMark) {
  frame = MakeFrame(0);
  InboxModule* inbox = Inbox();
  EXPECT_EQ(Cells(*inbox), (QStringList{"Anna Berg", "David Lund", "Grete Müller"}));
  // The refresh selected row 0: shown, and marked read in the file.
  EXPECT_EQ(inbox->Preview()->Text(), "See you at eight at the station?");
  EXPECT_EQ(FindControlAs<QLabel>(inbox, ControlId::kSenderValue)->text(), "Anna Berg");
  EXPECT_TRUE(FindControl(inbox, ControlId::kInboxFromLabel)->font().bold());
  auto file = FileRecords(store.Paths().inbox);
  ASSERT_EQ(file->Count(), 3);
  EXPECT_TRUE(file->GetAt(0)->flags & MRF_READ);
  EXPECT_FALSE(file->GetAt(1)->flags & MRF_READ);

  // A picture message keeps its picture icon and stores nothing; Save
  // Picture follows it, and twice adds the picture once.
  const uint32_t pictureFlags = file->GetAt(2)->flags;
  inbox->List()->SelectRow(2);
  EXPECT_TRUE(inbox->Preview()->HasPicture());
  EXPECT_EQ(FileRecords(store.Paths().inbox)->GetAt(2)->flags, pictureFlags);
  Choose(*frame, CommandId::kSavePicture);  // a disabled action does nothing
  Choose(*frame, CommandId::kSavePicture);
  EXPECT_EQ(store.Lists().pictures.Count(), 1);  // and its file: the editor's test
  inbox->List()->SelectRow(1);
  EXPECT_FALSE(inbox->Preview()->HasPicture());
  EXPECT_FALSE(frame->Action(CommandId::kSavePicture)->isEnabled());
  EXPECT_TRUE(frame->Action(CommandId::kAddToContacts)->isEnabled());  // the others: chosen below

  // Away and back: the user's row is selected again, and shown.
  frame->OpenModule(4);
  frame->OpenModule(0);
  EXPECT_EQ(inbox->SelectedKey(), 1);
  EXPECT_EQ(inbox->Preview()->Text(), TextOf(*store.Lists().inbox.GetAt(1)));
}

TEST_F(InboxTest, ArrivalWhileContactsIsOnScreenReachesTheInboxAndRefreshesContacts) {
  frame = MakeFrame(4);
  // A contact only the list knows: Contacts shows it once it rebuilds.
  store.Lists().contacts.Add(Contact("Zoe Park", "+15550199", 9));
  const auto* contacts = static_cast<const ReportListView*>(frame->Module(4)->ListView());
  ASSERT_EQ(contacts->topLevelItemCount(), 8);

  Deliver({{"text", "Are you coming?"}, {"from", "+15550105"}});
  ASSERT_TRUE(InboxReaches(4));  // the demo card's three and the new one
  EXPECT_EQ(frame->CurrentIndex(), 4);
  const auto file = FileRecords(store.Paths().inbox);
  ASSERT_EQ(file->Count(), 4);  // filed after the demo card's three
  EXPECT_EQ(FirstNumber(*file->GetAt(3)) + " " + TextOf(*file->GetAt(3)),
            "+15550105 Are you coming?");
  EXPECT_EQ(contacts->topLevelItemCount(), 9);

  // A business card is shown over the module on screen with the ordinary
  // cursor, data the program cannot read gets error box 67 before it is
  // filed; the card is not filed.
  QString shown;
  const QWidget* owner = nullptr;
  bool waitCursor = true;
  const auto answer = OnNextModal([&shown, &owner, &waitCursor](QWidget* modal) {
    shown = modal->objectName();
    owner = modal->parentWidget();
    waitCursor = QApplication::overrideCursor() != nullptr;
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  Deliver({{"type", "business-card"},
           {"card", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lind;Maja\r\nTEL:+4670123\r\nEND:VCARD\r\n"}});
  Deliver({{"type", "unknown"}});
  ASSERT_TRUE(QTest::qWaitFor([this] { return !asker.errors.empty(); }, 5000));
  EXPECT_EQ(shown, "BusinessCardReceivedDialog");
  EXPECT_EQ(owner, frame->Module(4));
  EXPECT_FALSE(waitCursor);  // the pass waits for the user, not the user for it
  EXPECT_EQ(asker.errors, std::vector<int>{67});
  EXPECT_EQ(store.Lists().inbox.Count(), 5);
}

TEST_F(InboxTest, CommandsOpenTheWritingWindowsWithTheSelectedMessage) {
  MessageList sent;
  sent.Add(Message("+15550103", "Lunch on Friday?", At(2024, 5, 2, 12, 30), MRF_OUTGOING));
  sent.Add(Message("+15550101", "On my way", At(2024, 5, 3, 18, 5), MRF_OUTGOING));
  ASSERT_EQ(SaveMessageFile(store.Paths().sent, sent), 2);
  frame = MakeFrame(0);
  std::vector<std::string> requests;
  NoteWritingRequests(*frame, requests);
  const std::string david = TextOf(*store.Lists().inbox.GetAt(1));

  Inbox()->List()->SelectRow(1);
  Choose(*frame, CommandId::kReply);
  Choose(*frame, CommandId::kForward);
  Choose(*frame, CommandId::kChat);
  frame->OpenModule(2);
  const uint32_t sentFlags = FileRecords(store.Paths().sent)->GetAt(0)->flags;
  Sent()->List()->SelectRow(1);
  Choose(*frame, CommandId::kReply);                                       // Sent messages has none
  QTest::keyClick(Sent()->List(), Qt::Key_Return);                         // Enter forwards
  EXPECT_EQ(FileRecords(store.Paths().sent)->GetAt(0)->flags, sentFlags);  // nothing marked read

  // Reply is mode 2, Forward 3; the Inbox is folder 1, Sent messages 2. Enter: keyboard_test.
  EXPECT_EQ(requests, (std::vector<std::string>{"editor 2 1 1 +15550104|", "editor 3 1 1 |" + david,
                                                "chat +15550104|" + david + " 1",
                                                "editor 3 2 1 |On my way"}));

  // Delete takes exactly the selected rows, after the frame's question.
  Sent()->List()->SelectRow(0);
  Sent()->List()->selectionModel()->select(Sent()->Model()->index(1, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
  Choose(*frame, CommandId::kDelete);
  EXPECT_EQ(FileRecords(store.Paths().sent)->Count(), 0);
  frame->OpenModule(0);
  Inbox()->List()->SelectRow(0);
  Inbox()->List()->selectionModel()->select(
      Inbox()->Model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  Choose(*frame, CommandId::kDelete);
  EXPECT_EQ(TextsOf(*FileRecords(store.Paths().inbox)), std::vector<std::string>{david});

  Choose(*frame, CommandId::kDeleteAll);
  EXPECT_EQ(FileRecords(store.Paths().inbox)->Count(), 0);
  EXPECT_EQ(Inbox()->Model()->rowCount(), 0);
  EXPECT_EQ(Inbox()->Preview()->Text(), "");
  // An empty folder leaves New alone.
  for (CommandId command : {CommandId::kReply, CommandId::kForward, CommandId::kDelete,
                            CommandId::kAddToContacts, CommandId::kChat, CommandId::kDeleteAll}) {
    EXPECT_FALSE(frame->Action(command)->isEnabled()) << static_cast<int>(command);
  }
  EXPECT_TRUE(frame->Action(CommandId::kNew)->isEnabled());
}

TEST_F(InboxTest, AnEchoComesBackIntoTheInboxAndTheOpenChat) {
  frame = MakeFrame(0);
  const auto* windows = new FrameWindows(*frame, services, {});  // owned by the frame
  auto seed = CreateMessageRecord();
  AddNumber(*seed, "+10000");
  seed->text = "";
  ChatWindow* chat = windows->Chats().Open(*seed, true);
  ASSERT_NE(chat, nullptr);
  AppLists& lists = store.Lists();
  QueueChatMessage(MakeChatMessage("+10000", "ping", std::nullopt, clock.LocalTime()), lists.outbox,
                   store.Paths().outbox, lists.chat);

  // The Outbox's send engine takes it on its own pipe.
  const auto holds = [](const MessageList& list) {
    return std::any_of(list.begin(), list.end(),
                       [](const MessageRecord& r) { return TextOf(r) == "Echo: ping"; });
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return holds(lists.inbox); }, 10000));
  EXPECT_TRUE(holds(lists.chat));
  EXPECT_TRUE(chat->StatusLine()->currentMessage().startsWith("Last Message Received: "));
}

// Passes every frame on, noting whether the wait cursor was up as each request went out.
class CursorNotingPipe final : public Pipe {
 public:
  explicit CursorNotingPipe(Pipe& inner) : inner_(inner) {}
  uint32_t SendFrame(std::span<const uint8_t> frame) override {
    const QCursor* cursor = QApplication::overrideCursor();
    waitCursor.push_back({ReadU32(frame.data() + wire::kMessageIdOffset),
                          cursor != nullptr && cursor->shape() == Qt::WaitCursor});
    return inner_.SendFrame(frame);
  }
  bool FrameWaiting() override { return inner_.FrameWaiting(); }
  uint32_t ReadFrame(std::span<const uint8_t>& frame) override { return inner_.ReadFrame(frame); }
  void Cancel() override { inner_.Cancel(); }

  std::vector<std::pair<uint32_t, bool>> waitCursor;  // request id, cursor up

 private:
  Pipe& inner_;
};

TEST_F(InboxTest, AReceptionPassAgainstAStalledCardServiceShowsTheWaitCursor) {
  CursorNotingPipe noting(*device->SyncPipe());
  link.syncPipe = &noting;  // the fake link for the rest: only the pass's requests go out
  services.link = &link;
  frame = MakeFrame(0);
  service.Control(R"({"verb":"fault","delayMs":800})");
  noting.waitCursor.clear();
  Inbox()->Refresh(RefreshReason::kReload);
  ASSERT_FALSE(noting.waitCursor.empty());
  EXPECT_EQ(noting.waitCursor.front(), std::make_pair(uint32_t{0x290009}, true));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Cells(*Inbox()).size(), 3);  // late, and still whole
}

// A damaged Inbox file gives its readable records in a working window.
using DamagedInboxTest = AppFixture;

TEST_F(DamagedInboxTest, GivesTheReadableRecordsAndAWorkingWindow) {
  MessageList records;
  records.Add(CreateMessageRecord());  // no number, no text
  for (const char* number : {"+15550101", "+15550102", "+15550103"}) {
    records.Add(Message(number, "A message long enough to be cut in", At(2024, 6, 1, 9, 0)));
  }
  std::vector<uint8_t> bytes = SerializeMessageFile(records);
  bytes.resize(bytes.size() - 20);  // cut in the last record
  bytes[0] = 9;                     // and the header's u16 count says nine
  ASSERT_TRUE(WriteFileAtomically(store.Paths().inbox, bytes));

  InboxModule inbox(0, services, nullptr);
  inbox.show();  // refreshes
  ASSERT_EQ(inbox.Model()->rowCount(), 3);
  inbox.List()->SelectRow(2);
  EXPECT_EQ(inbox.SelectedKey(), 2);
  inbox.SortByColumn(1);
  inbox.Refresh(RefreshReason::kReload);
  EXPECT_EQ(inbox.Model()->rowCount(), 3);
}

}  // namespace
}  // namespace zeph::testing
