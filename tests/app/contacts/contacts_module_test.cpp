// The Contacts module in the frame, against the card service's demo card.

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/app_test_helpers.h"
#include "app/base/control_id.h"
#include "app/contacts/contact_information_dialog.h"
#include "app/shell/frame_client.h"
#include "app/shell/frame_windows.h"
#include "core/devicelink/wire_layout.h"
#include "support/contacts_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

using ContactsModuleTest = ContactsFixture;

const QStringList kByName{"Anna Berg +15550101",     "Ben Okafor +15550102",
                          "Clara Jiménez +15550103", "David Lund +15550104",
                          "Eva Novak +15550105",     "Farid Haddad +15550106",
                          "Grete Müller +15550107",  "Hiro Tanaka +15550108"};

QStringList Reversed(QStringList rows) {
  std::reverse(rows.begin(), rows.end());
  return rows;
}

bool ButtonEnabled(const QWidget* module, ControlId id) {
  return FindControlAs<QPushButton>(module, id)->isEnabled();
}

TEST_F(ContactsModuleTest, ListsTheSimByNameAndHeaderClicksToggleTheOrder) {
  ContactsModule* module = OpenContacts();
  ReportListView* list = module->ListView();
  EXPECT_EQ(Rows(list), kByName);
  // The column clicked, the sort code, the rows reversed; the demo numbers run in the order of
  // the names.
  for (auto [column, code, reversed] :
       {std::tuple{0, 2, true}, {0, 1, false}, {1, 5, false}, {1, 6, true}}) {
    ClickHeader(list, column);
    EXPECT_EQ(module->SortCode(), code) << column;
    EXPECT_EQ(Rows(list), reversed ? Reversed(kByName) : kByName) << column;
  }
  // The rows keep the list index as their key: the top row is the last contact.
  EXPECT_EQ(list->KeyOfRow(0), 7);
}

TEST_F(ContactsModuleTest, CommandsFollowTheListAndDeleteGoesWhateverTheCardSays) {
  ContactsModule* module = OpenContacts();
  auto enabled = [&](bool any) {
    for (CommandId command : {CommandId::kDelete, CommandId::kChat}) {
      EXPECT_EQ(frame->Action(command)->isEnabled(), any) << static_cast<int>(command);
    }
    for (CommandId command : {CommandId::kReply, CommandId::kForward, CommandId::kSavePicture,
                              CommandId::kAddToContacts, CommandId::kDeleteAll}) {
      EXPECT_FALSE(frame->Action(command)->isEnabled()) << static_cast<int>(command);
    }
    for (QAction* item : module->ContextMenu()->actions())
      EXPECT_EQ(item->isEnabled(), any) << item->text().toStdString();
  };
  enabled(true);

  // The frame's Delete asks, then the module deletes the selection (the
  // first row) without asking again; a refused delete goes all the same.
  Refuse(wire::kDeleteEntryId);
  frame->RunCommand(CommandId::kDelete);
  EXPECT_EQ(asker.questions.size(), 1u);
  EXPECT_EQ(Rows(module->ListView()).first(), "Ben Okafor +15550102");
  EXPECT_EQ(OnSim().front(), "Anna Berg +15550101");
  // The module's own Delete button asks by itself.
  QTest::mouseClick(FindControlAs<QPushButton>(module, ControlId::kDeleteContact), Qt::LeftButton);
  EXPECT_EQ(asker.questions.size(), 2u);
  EXPECT_EQ(Rows(module->ListView()).first(), "Clara Jiménez +15550103");
  EXPECT_EQ(OnSim().size(), 7u);  // Ben went from the SIM too

  // Each time the last row: the remembered row is gone, and New and Chat must not act on a
  // contact the user never chose.
  while (store.Lists().contacts.Count() > 0) {
    module->ListView()->SetSelection(module->ListView()->topLevelItemCount() - 1);
    module->Command(FolderCommand::kDelete);
    EXPECT_EQ(module->ListView()->GetCurSelParam(), -1);
  }
  EXPECT_EQ(module->ListView()->topLevelItemCount(), 0);
  enabled(false);
}

TEST_F(ContactsModuleTest, AFailedStartUpReadIsRetriedUntilItWorks) {
  Refuse(wire::kReadPhonebookId, 2);  // start-up's read and the first retry
  ContactsModule* module = OpenContacts(0);
  EXPECT_NE(store.SimReadStatus(), 0u);
  const QTimer* retry = module->RetryTimer();
  EXPECT_TRUE(retry->isActive());
  for (ControlId id : {ControlId::kNewContact, ControlId::kEditContact, ControlId::kDeleteContact,
                       ControlId::kSendButton}) {
    EXPECT_FALSE(ButtonEnabled(module, id));
  }
  module->RetrySimRead();
  EXPECT_TRUE(retry->isActive());
  EXPECT_FALSE(ButtonEnabled(module, ControlId::kNewContact));

  module->RetrySimRead();
  EXPECT_EQ(store.SimReadStatus(), 0u);
  EXPECT_FALSE(retry->isActive());
  EXPECT_TRUE(ButtonEnabled(module, ControlId::kNewContact));
  EXPECT_TRUE(ButtonEnabled(module, ControlId::kSendButton));
  EXPECT_TRUE(asker.errors.empty());  // nothing is said
  // Hidden, the module rebuilt nothing; shown, it lists the SIM.
  EXPECT_EQ(module->ListView()->topLevelItemCount(), 0);
  frame->OpenModule(4);
  EXPECT_EQ(Rows(module->ListView()), kByName);
}

TEST_F(ContactsModuleTest, WhileAddToContactsIsOpenNewAndEditDoNothingThenNewAppends) {
  ContactsModule* module = OpenContacts();
  new FrameWindows(*frame, services, {});  // owned by the frame, which sends Add To Contacts here
  emit frame->ContactInformationRequested("+49 170-555 12");
  QPointer<QWidget> open = module->AddToContactsWindow();
  ASSERT_FALSE(open.isNull());
  EXPECT_FALSE(open->isModal());
  EXPECT_EQ(FindControlAs<QLineEdit>(open, ControlId::kContactNumber)->text(), "+4917055512");

  bool modalOpened = false;
  auto watch = OnNextModal([&modalOpened](QWidget* dialog) {
    modalOpened = true;
    static_cast<QDialog*>(dialog)->reject();
  });
  module->NewContact();  // a dialog would be modal: open and rejected before these return
  module->EditContact();
  EXPECT_FALSE(modalOpened);

  QTest::keyClicks(FindControlAs<QLineEdit>(open, ControlId::kNameField), "Ida Sund");
  QTest::keyClick(open, Qt::Key_Return);  // saved, closed, and it deletes itself
  QApplication::processEvents();
  EXPECT_TRUE(open.isNull());
  EXPECT_EQ(module->AddToContactsWindow(), nullptr);
  EXPECT_EQ(Rows(module->ListView())[8], "Ida Sund +4917055512");  // shown at once

  // Closed, New works again (what the card takes is the dialog's own case).
  watch = OnNextModal([](QWidget* dialog) {
    QTest::keyClicks(FindControlAs<QLineEdit>(dialog, ControlId::kNameField), "Zoe Park");
    QTest::keyClicks(FindControlAs<QLineEdit>(dialog, ControlId::kContactNumber), "+1 555-0199");
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  QTest::mouseClick(FindControlAs<QPushButton>(module, ControlId::kNewContact), Qt::LeftButton);
  EXPECT_EQ(Rows(module->ListView()).last(), "Zoe Park +15550199");  // by name: last
}

TEST_F(ContactsModuleTest, NewAndChatAskForTheEditorAndTheChatWithTheContact) {
  ContactsModule* module = OpenContacts();
  store.Lists().inbox.Add(Message("+15550101", "See you"));
  std::vector<std::string> asked;
  NoteWritingRequests(*frame, asked);
  frame->RunCommand(CommandId::kNew);   // Anna Berg is selected
  frame->RunCommand(CommandId::kChat);  // her last Inbox message seeds the chat
  module->ListView()->clearSelection();
  frame->RunCommand(CommandId::kNew);
  frame->RunCommand(CommandId::kChat);  // nothing selected: no chat
  EXPECT_EQ(asked, (std::vector<std::string>{"editor 2 3 0 +15550101|", "chat +15550101|See you 0",
                                             "editor 1 2 -1 -"}));
}

}  // namespace
}  // namespace zeph::testing
