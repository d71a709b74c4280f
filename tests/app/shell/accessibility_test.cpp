// The frame, Options and the Contacts dialogs as assistive technology sees them, through the
// accessible tree that the accessibility bus exports: every control the
// keyboard reaches has a name, the module list shows its entries and which
// one is current, and each folder's list is named after its folder.

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "app/base/control_id.h"
#include "app/base/texts.h"
#include "app/contacts/business_card_received_dialog.h"
#include "app/contacts/contact_information_dialog.h"
#include "app/contacts/select_recipient_dialog.h"
#include "app/contacts/send_business_card_dialog.h"
#include "app/controls/module_list.h"
#include "app/shell/frame_client.h"
#include "app/shell/module_factory.h"
#include "app/shell/options_dialog.h"
#include "support/accessible_names.h"
#include "support/app_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

using AccessibilityTest = AppFixture;

TEST_F(AccessibilityTest, EveryFocusableControlOfTheFrameAndOfOptionsHasAName) {
  setup.createModule = CreateProgramModule;
  auto frame = MakeFrame(0);
  // The fake card's one contact has an empty name and number, which leave
  // its cells with nothing to announce.
  SetFieldText(store.Lists().contacts.GetAt(0)->name, "Anna Berg");
  SetFieldText(store.Lists().contacts.GetAt(0)->number, "+15550101");
  for (int i = 0; i < 5; ++i) {
    frame->OpenModule(i);
    EXPECT_EQ(AccessibleName(frame->Module(i)->ListView()),
              Text(kModuleTable[static_cast<size_t>(i)].name));
    EXPECT_EQ(Unnamed(frame.get()), QStringList()) << "module " << i;
  }

  OptionsDialog options(frame.get(), settings, link);
  options.show();
  EXPECT_EQ(Unnamed(&options), QStringList());
  // Each field is announced by its own label, not by its group's title.
  EXPECT_EQ(AccessibleName(FindControl(&options, ControlId::kChatHours)),
            "Number of hours for which the chat messages are shown in the Chat window:");
  EXPECT_EQ(AccessibleName(FindControl(&options, ControlId::kNameField)), "Chat name:");
  EXPECT_EQ(AccessibleName(FindControl(&options, ControlId::kCentreNumberOrDate)), "Number:");
}

TEST_F(AccessibilityTest, EveryFieldOfTheContactsDialogsIsNamedByItsLabel) {
  store.Lists().contacts.Add(Contact("Anna Berg", "+15550101"));
  ContactInformationDialog information(nullptr, services, 0);
  SendBusinessCardDialog send(nullptr, services, 0);
  SelectRecipientDialog select(nullptr, store.Lists().contacts);
  BusinessCardFields card;
  card.names[0] = MakeField<kCardFieldSize>("Anna Berg");
  card.numbers[0] = MakeField<kCardFieldSize>("+15550101");
  BusinessCardReceivedDialog received(nullptr, services, card);
  for (QDialog* dialog : std::initializer_list<QDialog*>{&information, &send, &select, &received}) {
    dialog->show();
    EXPECT_EQ(Unnamed(dialog), QStringList()) << dialog->objectName().toStdString();
  }
  EXPECT_EQ(AccessibleName(FindControl(&information, ControlId::kNameField)), "Name:");
  EXPECT_EQ(AccessibleName(FindControl(&information, ControlId::kContactNumber)), "Number:");
  EXPECT_EQ(AccessibleName(FindControl(&send, ControlId::kCardRecipient)), "Recipient:");
  // Here an editable combo box is announced by its text and labelled by
  // relation; its field carries the label's name.
  EXPECT_EQ(AccessibleName(received.Names()->lineEdit()), "Name:");
}

TEST_F(AccessibilityTest, ModuleListShowsItsEntriesAndWhichOneIsCurrentAndTakesTheArrows) {
  auto frame = MakeFrame(1);
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(frame->Client()->List());
  ASSERT_NE(list, nullptr);
  auto entries = [list] {
    QStringList shown;
    for (int i = 0; i < list->childCount(); ++i) {
      QAccessibleInterface* entry = list->child(i);
      shown << entry->text(QAccessible::Name) + (entry->state().selected ? "*" : "");
    }
    return shown;
  };
  EXPECT_EQ(entries(),
            (QStringList{"Inbox", "Outbox*", "Sent messages", "Delivery reports", "Contacts"}));
  frame->OpenModule(3);
  EXPECT_EQ(entries(),
            (QStringList{"Inbox", "Outbox", "Sent messages", "Delivery reports*", "Contacts"}));

  // Arrows move between modules (Down: the keyboard test), Space and Enter choose the
  // current one again.
  frame->OpenModule(2);
  ModuleList* modules = frame->Client()->List();
  QApplication::setActiveWindow(frame.get());
  modules->setFocus();
  const int switches = link.Count("0x140006");
  QTest::keyClick(modules, Qt::Key_Up);
  EXPECT_EQ(frame->CurrentIndex(), 1);
  EXPECT_EQ(modules->Selected(), 1);
  QTest::keyClick(modules, Qt::Key_Up);
  QTest::keyClick(modules, Qt::Key_Up);  // the first already: nothing more
  EXPECT_EQ(frame->CurrentIndex(), 0);
  EXPECT_EQ(link.Count("0x140006"), switches + 2);
  EXPECT_EQ(QApplication::focusWidget(), modules);  // browsing keeps the keyboard in the list
  QTest::keyClick(modules, Qt::Key_Space);
  QTest::keyClick(modules, Qt::Key_Return);
  EXPECT_EQ(frame->CurrentIndex(), 0);
  EXPECT_EQ(link.Count("0x140006"), switches + 4);
  EXPECT_EQ(QApplication::focusWidget(), frame->Module(0)->ListView());  // Enter goes there
}

}  // namespace
}  // namespace zeph::testing
