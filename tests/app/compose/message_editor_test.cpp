#include "app/compose/message_editor.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/app_test_helpers.h"
#include "app/base/control_id.h"
#include "app/compose/add_recipients_dialog.h"
#include "app/compose/composer_panel.h"
#include "app/controls/action_bar.h"
#include "app/controls/message_text_control.h"
#include "app/controls/report_list_view.h"
#include "core/store/message_file.h"
#include "support/accessible_names.h"
#include "support/app_fixture.h"
#include "support/fake_pipe.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

QStringList Names(const QListWidget& list) {
  QStringList names;
  for (int row = 0; row < list.count(); ++row) names << list.item(row)->text();
  return names;
}

class MessageEditorTest : public AppFixture {
 protected:
  MessageEditorTest() {
    // The fake card has no connection; the warning would stop the test.
    settings.WriteSettingInt(kAppSettingsSection, "", kCanNotSendWarningSetting, 1);
    store.Lists().contacts.Add(Contact("Bertil", "+46701112233"));
    store.Lists().contacts.Add(Contact("anna", "0401234567"));
    store.Lists().contacts.Add(Contact("Cecilia", "+358409999999"));
  }

  MessageEditor* Open(const EditorRequest& request = {}) {
    MessageEditor* editor =
        OpenMessageEditor({services, nullptr, [this](QWidget*) { return chosen; }}, request);
    QObject::connect(editor, &MessageEditor::MessageQueued, [this] { ++queued; });
    return editor;
  }
  static QToolButton* Button(MessageEditor& editor, MessageEditor::Button button) {
    return editor.Bar()->ButtonAt(button);
  }
  static void Type(MessageEditor& editor, const QString& text) {
    QTest::keyClicks(editor.Panel()->TextControl()->Edit(), text);
  }
  // The names of the controls Tab visits from the focus, `count` of them.
  static QStringList TabOrder(int count) {
    QStringList order;
    for (int i = 0; i < count; ++i) {
      order << AccessibleName(QApplication::focusWidget());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return order;
  }
  // Lets the closed editor go.
  static void Settle() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  int queued = 0;
  int chosen = 0;
};

TEST_F(MessageEditorTest, SendQueuesOneRecordPerRecipientAndCloses) {
  MessageEditor* editor = Open();
  ASSERT_NE(editor, nullptr);
  const QPointer<MessageEditor> open = editor;
  editor->Panel()->SetRecipients(
      {{"anna", "0401234567"}, {"+1555", "+1555"}, {"anna", "0401234567"}});
  EXPECT_TRUE(Button(*editor, MessageEditor::kSend)->isEnabled());
  Type(*editor, QStringLiteral("See you at 8"));
  Button(*editor, MessageEditor::kSend)->click();
  Settle();

  EXPECT_TRUE(open.isNull());
  EXPECT_EQ(queued, 1);
  // The record rules are core's (composer_send_test); here: one record per recipient.
  LockedMessageList& outbox = store.Lists().outbox;
  ASSERT_EQ(CountLocked(outbox), 3);
  EXPECT_EQ(FirstNumber(*RecordLocked(outbox, 1)), "+1555");
  MessageList saved;
  EXPECT_EQ(LoadMessageFile(store.Paths().outbox, saved), 3);
}

TEST_F(MessageEditorTest, EmptyTextDoesNothingNoRecipientGivesError75) {
  MessageEditor* editor = Open();
  const QPointer<MessageEditor> open = editor;
  editor->Send();
  EXPECT_TRUE(asker.errors.empty());
  Type(*editor, QStringLiteral("hello"));
  QApplication::setActiveWindow(editor);  // the key sends while the button is grey
  QTest::keyClick(editor->Panel()->TextControl()->Edit(), Qt::Key_Return, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(asker.errors, std::vector<int>{75});
  EXPECT_FALSE(open.isNull());
  EXPECT_EQ(editor->Panel()->TextControl()->Text(), "hello");
  EXPECT_EQ(CountLocked(store.Lists().outbox), 0);

  // Escape in the text discards the message.
  QTest::keyClick(editor->Panel()->TextControl()->Edit(), Qt::Key_Escape);
  Settle();
  EXPECT_TRUE(open.isNull());
  EXPECT_EQ(CountLocked(store.Lists().outbox), 0);
}

// A reply, by keys: the keyboard test.
TEST_F(MessageEditorTest, WithoutLongMessagesAForwardLosesItsPictureAndThePictureButtonsGrey) {
  FakePipe card;  // the editor and its text control each read 0x510C
  card.Reply(ReplyFrame(0x0B0001, 0, {0}));
  card.Reply(ReplyFrame(0x0B0001, 0, {0}));
  link.syncPipe = &card;
  auto source = Message("+358401234567", std::string(200, 'a'), {}, MRF_PICTURE);
  source->picture = PictureImage{};
  const auto scratch = ForwardScratch(*source);
  MessageEditor* editor = Open({EditorMode::kForward, scratch.get(), SourceFolder::kInbox, -1});
  EXPECT_FALSE(editor->LongMessagesAllowed());
  EXPECT_FALSE(Button(*editor, MessageEditor::kAttachPicture)->isEnabled());
  EXPECT_FALSE(editor->Panel()->TextControl()->HasPicture());
  EXPECT_EQ(editor->Panel()->TextControl()->Text(), std::string(160, 'a'));
  EXPECT_EQ(editor->Panel()->CounterText(), "0(1)");
  editor->close();
  link.syncPipe = nullptr;
}

TEST_F(MessageEditorTest, PictureButtonsAndPasteFollowWhatThereIs) {
  store.Lists().pictures.Add(std::make_unique<PictureImage>());
  auto second = std::make_unique<PictureImage>();
  (*second)[0] = 0x80;
  store.Lists().pictures.Add(std::move(second));
  QApplication::clipboard()->clear();
  MessageEditor* editor = Open();
  EXPECT_FALSE(Button(*editor, MessageEditor::kPaste)->isEnabled());
  EXPECT_FALSE(Button(*editor, MessageEditor::kRemovePicture)->isEnabled());
  Type(*editor, QStringLiteral("copy me"));
  editor->Panel()->TextControl()->Edit()->selectAll();
  Button(*editor, MessageEditor::kCopy)->click();
  EXPECT_TRUE(Button(*editor, MessageEditor::kPaste)->isEnabled());

  chosen = 2;  // the library's second picture; the keys the tooltips show work the buttons
  EXPECT_EQ(Button(*editor, MessageEditor::kAttachPicture)->toolTip(), "Attach Picture (Ctrl+P)");
  QApplication::setActiveWindow(editor);
  QWidget* text = editor->Panel()->TextControl()->Edit();
  QTest::keyClick(text, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(editor->Panel()->TextControl()->Picture(), *store.Lists().pictures.GetAt(1));
  EXPECT_TRUE(Button(*editor, MessageEditor::kRemovePicture)->isEnabled());
  EXPECT_EQ(editor->Panel()->CounterText(), "114(3)");
  QTest::keyClick(text, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_FALSE(editor->Panel()->TextControl()->HasPicture());
  EXPECT_FALSE(Button(*editor, MessageEditor::kRemovePicture)->isEnabled());
  editor->close();
}

// The text's own popup saves its picture to the library, as the folders' Save Picture does.
TEST_F(MessageEditorTest, SavePictureInTheTextsPopupAddsThePictureToTheLibrary) {
  auto source = Message("+358401234567", "look", {}, MRF_PICTURE);
  source->picture = NumberedPicture();
  const auto scratch = ForwardScratch(*source);
  MessageEditor* editor = Open({EditorMode::kForward, scratch.get(), SourceFolder::kInbox, -1});
  editor->Panel()->TextControl()->SavePictureAction()->trigger();
  ASSERT_EQ(store.Lists().pictures.Count(), 1);
  EXPECT_EQ(*store.Lists().pictures.GetAt(0), NumberedPicture());  // its file: the library test
  editor->close();
}

TEST_F(MessageEditorTest, AddRecipientsFiltersNumbersAndAddsContactsByName) {
  AddRecipientsDialog dialog(nullptr, store.Lists().contacts, {{"Old", "123"}});
  dialog.show();
  auto* contacts = FindControlAs<ReportListView>(&dialog, ControlId::kModuleList);
  auto* selected = FindControlAs<QListWidget>(&dialog, ControlId::kSelectedRecipients);
  auto* number = FindControlAs<QLineEdit>(&dialog, ControlId::kRecipientNumber);
  auto* addNumber = FindControlAs<QPushButton>(&dialog, ControlId::kAddNumberRecipient);
  ASSERT_EQ(contacts->topLevelItemCount(), 3);

  // The selected (first by name) contact, three times: the same contact may be sent to more than
  // once.
  FindControlAs<QPushButton>(&dialog, ControlId::kAddContactRecipient)->click();
  DoubleClickRow(*contacts, 0);
  QTest::keyClick(contacts, Qt::Key_Return);  // Enter adds it too, and the dialog stays
  EXPECT_EQ(Names(*selected), (QStringList{"Old", "anna", "anna", "anna"}));

  QTest::keyClicks(number, QStringLiteral("+3 (5)-a"));
  EXPECT_EQ(number->text(), "+35");
  number->setText(QStringLiteral("+3"));
  addNumber->click();
  QTest::keyClick(number, Qt::Key_Return);
  EXPECT_EQ(selected->count(), 4);  // two characters are not a number, and Enter keeps them
  EXPECT_EQ(number->text(), "+3");
  QTest::keyClicks(number, QStringLiteral("5"));
  QTest::keyClick(number, Qt::Key_Return);
  EXPECT_EQ(number->text(), "");
  EXPECT_EQ(dialog.Recipients().back(), (Recipient{"+35", "+35"}));
  EXPECT_TRUE(dialog.isVisible());

  auto* remove = FindControlAs<QPushButton>(&dialog, ControlId::kRemoveRecipient);
  selected->clearSelection();
  remove->click();
  EXPECT_EQ(selected->count(), 5);  // nothing selected: nothing removed
  selected->setCurrentRow(0);
  remove->click();
  EXPECT_EQ(Names(*selected), (QStringList{"anna", "anna", "anna", "+35"}));
  EXPECT_EQ(dialog.Recipients().front(), (Recipient{"anna", "0401234567"}));
}

// OK takes the list: the keyboard test.
TEST_F(MessageEditorTest, AddRecipientsCancelKeepsTheList) {
  MessageEditor* editor = Open();
  const auto answer = OnNextModal([](QWidget* modal) {
    qobject_cast<AddRecipientsDialog*>(modal)->AddSelectedContact();
    qobject_cast<AddRecipientsDialog*>(modal)->reject();
  });
  FindControlAs<QPushButton>(editor, ControlId::kAddRecipients)->click();
  EXPECT_TRUE(editor->Panel()->Recipients().empty());
  EXPECT_FALSE(Button(*editor, MessageEditor::kSend)->isEnabled());
  editor->close();
}

TEST_F(MessageEditorTest, EveryControlHasANameAndTabGoesFromTheTextToTheRecipients) {
  MessageEditor* editor = Open();
  EXPECT_EQ(Unnamed(editor), QStringList());
  QApplication::setActiveWindow(editor);
  EXPECT_EQ(TabOrder(4), (QStringList{"Message", "Recipients", "Add Recipients...", "Message"}));
  // The counter is announced by its text, which follows the typing.
  QWidget* counter = FindControl(editor, ControlId::kLengthCounter);
  EXPECT_EQ(AccessibleName(counter), "160(1)");
  Type(*editor, QStringLiteral("ab"));
  EXPECT_EQ(AccessibleName(counter), "158(1)");

  AddRecipientsDialog dialog(editor, store.Lists().contacts, {});
  dialog.show();
  EXPECT_EQ(Unnamed(&dialog), QStringList());
  // Tab follows the screen, from the contacts to Cancel and round again.
  QApplication::setActiveWindow(&dialog);
  EXPECT_EQ(TabOrder(9), (QStringList{"Contacts", "Add the selected contact",
                                      "Remove the selected recipient", "Selected recipients",
                                      "Number:", "Add the number", "OK", "Cancel", "Contacts"}));
  editor->close();
}

}  // namespace
}  // namespace zeph::testing
