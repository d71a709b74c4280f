// The main flows with the keyboard alone, against the card service's demo card: a message
// to a typed number, a reply to the first Inbox message, a module switch, Options.

#include "app/compose/composer_panel.h"
#include "app/compose/message_editor.h"
#include "support/folders_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

using KeyboardTest = FoldersFixture;

// Presses `key` with `modifiers` where the keyboard is now: an open menu, else the focus.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QWidget* target = QApplication::activePopupWidget();
  if (target == nullptr) target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, key, modifiers);
}

void Type(const char* text) {
  QTest::keyClicks(QApplication::focusWidget(), text);
}

TEST_F(KeyboardTest, WriteReplySwitchAndOptionsWithKeysAlone) {
  settings.SetRegistrySubInt(kAppSettingsSection, "", kCanNotSendWarningSetting, 1);
  frame = MakeFrame(0);
  const MessageEditorSetup editors{services, frame.get(), {}};
  QObject::connect(
      frame.get(), &MainFrame::EditorRequested,
      [&editors](const EditorRequest& request) { OpenMessageEditor(editors, request); });
  ASSERT_TRUE(InboxReaches(3));
  QApplication::setActiveWindow(frame.get());

  // File > New; the text; Add Recipients (a button's key clicks it a moment later): Tab to
  // "Number:", the number, Enter to add it and Enter for OK; then Ctrl+Enter sends.
  Press(Qt::Key_F, Qt::AltModifier);
  Press(Qt::Key_N);
  auto* editor = static_cast<MessageEditor*>(windows.messageEditor.data());
  ASSERT_NE(editor, nullptr);
  QApplication::setActiveWindow(editor);
  Type("Typed by keys");
  {
    const auto add = OnNextModal([](QWidget* modal) {
      QApplication::setActiveWindow(modal);
      for (int i = 0; i < 4; ++i) Press(Qt::Key_Tab);
      Type("+15550199");
      Press(Qt::Key_Return);
      Press(Qt::Key_Return);
    });
    Press(Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([editor] { return !editor->Panel()->Recipients().empty(); }));
  }
  QApplication::setActiveWindow(editor);  // as the desktop does when a dialog closes
  Press(Qt::Key_Return, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([this] { return windows.messageEditor.isNull(); }));
  QApplication::setActiveWindow(frame.get());
  // The first Inbox message: Home, Enter replies; the answer, Ctrl+Enter.
  Press(Qt::Key_Home);
  Press(Qt::Key_Return);
  editor = static_cast<MessageEditor*>(windows.messageEditor.data());
  ASSERT_NE(editor, nullptr);
  QApplication::setActiveWindow(editor);
  Type("Yes, by keys");
  Press(Qt::Key_Return, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([this] { return windows.messageEditor.isNull(); }));
  QApplication::setActiveWindow(frame.get());

  // Shift+Tab to the module list, Down twice: Sent messages, where both arrive.
  Press(Qt::Key_Tab, Qt::ShiftModifier);
  Press(Qt::Key_Down);
  Press(Qt::Key_Down);
  EXPECT_EQ(frame->CurrentIndex(), 2);
  ASSERT_TRUE(QTest::qWaitFor([this] { return CountLocked(store.Lists().sent) == 2; }));
  std::vector<std::string> sent;
  for (int i = 0; i < 2; ++i) {
    const auto record = RecordLocked(store.Lists().sent, i);
    sent.push_back(FirstNumber(*record) + " " + TextOf(*record));
  }
  EXPECT_EQ(sent, (std::vector<std::string>{"+15550199 Typed by keys", "+15550101 Yes, by keys"}));

  // Tools > Options, and Escape closes it.
  QString shown;
  const auto options = OnNextModal([&shown](QWidget* modal) {
    shown = modal->windowTitle();
    QApplication::setActiveWindow(modal);
    Press(Qt::Key_Escape);
  });
  Press(Qt::Key_T, Qt::AltModifier);
  Press(Qt::Key_O);
  EXPECT_EQ(shown, "Options");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace zeph::testing
