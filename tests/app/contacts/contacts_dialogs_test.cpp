// Contact Information, Send Business Card, Select Recipient and Business
// Card Received, against the card service's demo card.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "app/base/control_id.h"
#include "app/contacts/business_card_received_dialog.h"
#include "app/contacts/contact_information_dialog.h"
#include "app/contacts/select_recipient_dialog.h"
#include "app/contacts/send_business_card_dialog.h"
#include "core/codecs/business_card.h"
#include "core/codecs/error_table.h"
#include "core/devicelink/wire_layout.h"
#include "core/store/message_file.h"
#include "support/contacts_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

class ContactsDialogsTest : public ContactsFixture {
 protected:
  ContactsDialogsTest() { store.Load(*device); }

  static QLineEdit* Field(QWidget* dialog, ControlId id) {
    return FindControlAs<QLineEdit>(dialog, id);
  }
  // Types both fields and presses Enter.
  static void Enter(QDialog& dialog, const QString& name, const QString& number) {
    Field(&dialog, ControlId::kNameField)->setText(name);
    Field(&dialog, ControlId::kContactNumber)->setText(number);
    QTest::keyClick(&dialog, Qt::Key_Return);
  }
  static std::unique_ptr<MessageRecord> Card(const std::string& text) {
    return Message("+15550100", text, {}, MRF_BUSINESSCARD);
  }
  // Receives the card; `answer` answers the dialog it opens.
  int Receive(const MessageRecord& card, std::function<void(BusinessCardReceivedDialog*)> answer) {
    const auto watch = OnNextModal(
        [&answer](QWidget* modal) { answer(static_cast<BusinessCardReceivedDialog*>(modal)); });
    return ParseBusinessCard(card, nullptr, services);
  }
  // Checks the numbers as given and saves them with Enter.
  static void Save(BusinessCardReceivedDialog* dialog, const std::vector<bool>& checks) {
    for (size_t row = 0; row < checks.size(); ++row) {
      dialog->Numbers()
          ->topLevelItem(static_cast<int>(row))
          ->setCheckState(0, checks[row] ? Qt::Checked : Qt::Unchecked);
    }
    QTest::keyClick(dialog, Qt::Key_Return);
  }
};

TEST_F(ContactsDialogsTest, ContactInformationFieldsCleanWhatIsTyped) {
  ContactInformationDialog dialog(nullptr, services);
  dialog.show();
  QLineEdit* name = Field(&dialog, ControlId::kNameField);
  QLineEdit* number = Field(&dialog, ControlId::kContactNumber);
  EXPECT_EQ(name->maxLength(), 20);  // the card's limit (without an answer: sim_contacts_test)
  QPushButton* ok = dialog.findChild<QPushButton*>();
  EXPECT_FALSE(ok->isEnabled());

  // Which characters a number keeps is core's; typed in the middle, the cursor stays after the 5.
  QTest::keyClicks(number, "+49170123");
  number->setCursorPosition(3);
  QTest::keyClicks(number, "a-5");
  EXPECT_EQ(number->text(), "+495170123");
  EXPECT_EQ(number->cursorPosition(), 4);
  EXPECT_FALSE(ok->isEnabled());

  // What the SIM cannot hold is shown as it will be stored.
  name->insert(QString::fromUtf8("Zoë Ω"));  // as an input method would type it
  EXPECT_EQ(name->text(), QString::fromUtf8("Zoë ?"));
  EXPECT_TRUE(ok->isEnabled());
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_EQ(InList().back(), "Zoë ? +495170123");
}

// The limits hold typing back; a longer stored value is shown and written back whole.
TEST_F(ContactsDialogsTest, AContactLongerThanTheTypingLimitsIsNotShortened) {
  const std::string number = "+123456789012345678901";  // 22: one over the field's limit
  service.Control(R"({"verb":"sim-add","name":"Twenty Chars Name 20","number":")" + number + "\"}");
  ASSERT_EQ(store.ReadSimPhonebook(*device), 0u);
  Refuse(wire::kPhonebookLimitsId);  // the name limit falls back to 19
  ContactInformationDialog edit(nullptr, services, store.Lists().contacts.Count() - 1);
  edit.show();
  QLineEdit* field = Field(&edit, ControlId::kContactNumber);
  QTest::keyClicks(field, "9");  // a full field takes no more
  EXPECT_EQ(field->text().toStdString(), number);
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(OnSim().back(), "Twenty Chars Name 20 " + number);

  ContactInformationDialog added(nullptr, services, number);  // a sender's number as long
  EXPECT_EQ(Field(&added, ControlId::kContactNumber)->text().toStdString(), number);
}

TEST_F(ContactsDialogsTest, NewEntryTooShortRefusedAndAccepted) {
  struct Case {
    const char* name;
    const char* number;
    bool refuse;
    const char* outcome;  // the dialog, the error boxes, the contacts listed and on the SIM
  };
  const Case cases[] = {
      {"A", "12", false, "closed, errors 0, listed 8, on the SIM 8, name A"},          // too short
      {"Zoe", "+15550199", true, "open, errors 1, listed 8, on the SIM 8, name Zoe"},  // refused
      {"Zoe", "+15550199", false, "closed, errors 1, listed 9, on the SIM 9, name Zoe"},
  };
  for (const Case& c : cases) {
    if (c.refuse) Refuse(wire::kAddEntryId);
    ContactInformationDialog dialog(nullptr, services);
    dialog.show();
    Enter(dialog, c.name, c.number);
    EXPECT_EQ(std::string(dialog.isVisible() ? "open" : "closed") + ", errors " +
                  std::to_string(asker.errors.size()) + ", listed " +
                  std::to_string(InList().size()) + ", on the SIM " +
                  std::to_string(OnSim().size()) + ", name " +
                  Field(&dialog, ControlId::kNameField)->text().toStdString(),
              c.outcome);
  }
  EXPECT_EQ(asker.errors.front(), kErrorContactNotSaved);
  EXPECT_EQ(store.Lists().contacts.GetAt(8)->location, 9);
}

TEST_F(ContactsDialogsTest, AChangeTheCardRefusesOrCannotHearKeepsTheOldEntry) {
  const std::vector<std::string> before = InList();
  Refuse(wire::kReplaceEntryId);
  ContactInformationDialog refused(nullptr, services, 0);
  refused.show();
  EXPECT_EQ(Field(&refused, ControlId::kNameField)->text(), "Anna Berg");
  Enter(refused, "Anna Lind", "+15550111");
  EXPECT_FALSE(refused.isVisible());
  EXPECT_EQ(asker.errors.size(), 1u);

  service.Stop();  // the card service dies with the dialog open
  ContactInformationDialog dead(nullptr, services, 1);
  dead.show();
  Enter(dead, "Ben Lind", "+15550112");
  EXPECT_EQ(asker.errors.size(), 2u);
  EXPECT_EQ(InList(), before);
}

TEST_F(ContactsDialogsTest, SendBusinessCardGoesToTheChosenContactEvenAfterEditing) {
  SendBusinessCardDialog dialog(nullptr, services, 0);  // Anna Berg
  dialog.show();
  EXPECT_EQ(Field(&dialog, ControlId::kNameField)->text(), "Anna Berg");
  QLineEdit* recipient = Field(&dialog, ControlId::kCardRecipient);
  auto* send = FindControlAs<QPushButton>(&dialog, ControlId::kSendButton);
  EXPECT_FALSE(send->isEnabled());

  auto pick = [](QDialog& sender, const QString& name, bool ok) {
    const auto answer = OnNextModal([name, ok](QWidget* modal) {
      auto* select = static_cast<SelectRecipientDialog*>(modal);
      ReportListView* list = select->List();
      EXPECT_EQ(list->topLevelItem(0)->text(0), "Anna Berg");  // sorted by name
      for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (list->topLevelItem(row)->text(0) == name) list->SetSelection(row);
      }
      if (ok) {
        select->accept();
      } else {
        select->reject();
      }
    });
    QTest::mouseClick(FindControlAs<QPushButton>(&sender, ControlId::kSelectRecipient),
                      Qt::LeftButton);
  };
  pick(dialog, "Ben Okafor", true);
  EXPECT_EQ(recipient->text(), "+15550102");
  QTest::keyClicks(recipient, "9");
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());

  // Cancelled, Select forgets the earlier choice: the field counts.
  SendBusinessCardDialog second(nullptr, services, 2);
  second.show();
  pick(second, "Anna Berg", true);
  pick(second, "", false);
  Field(&second, ControlId::kCardRecipient)->setText("+1555 0177");
  QTest::keyClick(&second, Qt::Key_Return);

  MessageList saved;
  ASSERT_EQ(LoadMessageFile(store.Paths().outbox, saved), 2);
  EXPECT_EQ(FirstNumber(*saved.GetAt(0)) + " " + FirstNumber(*saved.GetAt(1)),
            "+15550102 +15550177");
  EXPECT_EQ(TextOf(*saved.GetAt(0)),
            BuildBusinessCard("Anna Berg", "+15550101"));  // the rest is core's

  ContactList none;  // with nobody to choose, Select gives nothing
  SelectRecipientDialog empty(nullptr, none);
  empty.accept();
  EXPECT_EQ(empty.result(), 0);
}

TEST_F(ContactsDialogsTest, BusinessCardReceivedSavesTheCheckedNumbersUntilOneFails) {
  auto card = Card(
      "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lind;Maja\r\nTEL;CELL:+46 70-123 45\r\n"
      "TEL;HOME:0812345\r\nTEL:123456789012345678901234\r\nTEL:0899\r\nEND:VCARD\r\n");
  std::vector<std::string> expected = InList();
  EXPECT_EQ(Receive(*card,
                    [](BusinessCardReceivedDialog* dialog) {
                      ReportListView* numbers = dialog->Numbers();
                      EXPECT_EQ(numbers->topLevelItemCount(), 4);
                      EXPECT_EQ(numbers->topLevelItem(0)->checkState(0), Qt::Checked);
                      EXPECT_EQ(numbers->topLevelItem(1)->checkState(0), Qt::Unchecked);
                      dialog->Names()->setCurrentIndex(2);      // what it offers is core's
                      Save(dialog, {true, false, true, true});  // the third does not fit the SIM
                    }),
            1);
  EXPECT_EQ(asker.errors.size(), 1u);
  expected.push_back("Maja Lind +467012345");
  EXPECT_EQ(InList(), expected);
  EXPECT_EQ(OnSim(), expected);

  Refuse(wire::kAddEntryId);
  EXPECT_EQ(Receive(*card, [](auto* dialog) { Save(dialog, {false, true, false, true}); }), 1);
  EXPECT_EQ(asker.errors.size(), 2u);
  EXPECT_EQ(InList(), expected);  // the refused first write ended the saving

  EXPECT_EQ(Receive(*card, [](auto* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }), 1);
  EXPECT_EQ(InList(), expected);  // Discard
  // A card without a name opens no dialog (the test would wait for it).
  EXPECT_EQ(ParseBusinessCard(*Card("BEGIN:VCARD\r\nTEL:123\r\nEND:VCARD\r\n"), nullptr, services),
            0);
}

}  // namespace
}  // namespace zeph::testing
