// The main flows by keys alone, against the demo card with a chat open, wired as the program
// wires them: a message to a typed number, a reply, a chat message, a switch, where Enter
// sends from the chat, Options, About.

#include <QListWidget>

#include "app/base/control_id.h"
#include "app/compose/composer_panel.h"
#include "app/controls/message_text_control.h"
#include "app/controls/module_list.h"
#include "app/shell/frame_client.h"
#include "app/shell/frame_windows.h"
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

TEST_F(KeyboardTest, WriteReplyChatSwitchOptionsAndAboutWithKeysAlone) {
  settings.WriteSettingInt(kAppSettingsSection, "", kCanNotSendWarningSetting, 1);
  frame = MakeFrame(0);
  const auto* windows = new FrameWindows(*frame, services, {});  // owned by the frame
  ChatOpener& chats = windows->Chats();
  ASSERT_TRUE(InboxReaches(3));
  // The desktop activates a window as it opens, or when the one over it closes.
  QApplication::setActiveWindow(frame.get());

  // Tools > Chat: from now on Enter sends from the chat, but not in a module, editor or dialog.
  Press(Qt::Key_T, Qt::AltModifier);
  Press(Qt::Key_H);
  ASSERT_NE(chats.Window(), nullptr);

  // File > New; the text; Add Recipients (a button's key clicks it a moment later): Tab to
  // "Number:", the number, Enter to add it and Enter for OK; then Ctrl+Enter sends.
  QApplication::setActiveWindow(frame.get());
  Press(Qt::Key_F, Qt::AltModifier);
  Press(Qt::Key_N);
  MessageEditor* editor = windows->Editor();
  ASSERT_NE(editor, nullptr);
  emit frame->EditorRequested({});  // one editor at a time
  EXPECT_EQ(frame->findChildren<MessageEditor*>().size(), 1);
  QApplication::setActiveWindow(editor);
  QTest::keyClicks(QApplication::focusWidget(), "Typed");
  Press(Qt::Key_Return);  // a line break, which the send makes a blank
  QTest::keyClicks(QApplication::focusWidget(), "by keys");
  {
    const auto add = OnNextModal([](QWidget* modal) {
      QApplication::setActiveWindow(modal);
      for (int i = 0; i < 4; ++i) Press(Qt::Key_Tab);
      QTest::keyClicks(QApplication::focusWidget(), "+15550199");
      Press(Qt::Key_Return);
      Press(Qt::Key_Return);
      if (modal->isVisible()) static_cast<QDialog*>(modal)->reject();  // Enter went elsewhere
    });
    Press(Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([editor] { return !editor->Panel()->Recipients().empty(); }));
  }
  QApplication::setActiveWindow(editor);
  Press(Qt::Key_Return, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([windows] { return windows->Editor() == nullptr; }));

  // The first Inbox message: Home, Enter replies; the answer, Ctrl+Enter.
  QApplication::setActiveWindow(frame.get());
  Press(Qt::Key_Home);
  Press(Qt::Key_Return);
  ASSERT_NE(windows->Editor(), nullptr);
  auto* to = FindControlAs<QListWidget>(windows->Editor(), ControlId::kRecipients);
  EXPECT_EQ(to->findItems("Anna Berg", Qt::MatchExactly).size(), 1);  // the sender, by name
  QApplication::setActiveWindow(windows->Editor());
  QTest::keyClicks(QApplication::focusWidget(), "Yes, by keys");
  Press(Qt::Key_Return, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([windows] { return windows->Editor() == nullptr; }));

  // In the chat, Enter sends.
  QApplication::setActiveWindow(chats.Window());
  QTest::keyClicks(QApplication::focusWidget(), "Chat by keys");
  Press(Qt::Key_Return);

  // Shift+Tab to the module list, Down twice: Sent messages, where all three arrive.
  QApplication::setActiveWindow(frame.get());
  Press(Qt::Key_Tab, Qt::ShiftModifier);
  Press(Qt::Key_Down);
  Press(Qt::Key_Down);
  EXPECT_EQ(frame->CurrentIndex(), 2);
  ASSERT_TRUE(QTest::qWaitFor([this] { return CountLocked(store.Lists().sent) == 3; }));
  EXPECT_EQ(FirstNumber(*RecordLocked(store.Lists().sent, 0)), "+15550199");
  EXPECT_EQ(TextOf(*RecordLocked(store.Lists().sent, 0)), "Typed  by keys");
  EXPECT_EQ(TextOf(*RecordLocked(store.Lists().sent, 1)), "Yes, by keys");
  // Sent as a reply, which marks the answered message (the reply's own fields are core's).
  EXPECT_TRUE(store.Lists().inbox.GetAt(0)->flags & MRF_REPLIED);
  EXPECT_EQ(TextOf(*RecordLocked(store.Lists().sent, 2)), "Chat by keys");

  // Enter elsewhere in the frame, here the module list, sends from the chat too; once the
  // chat is closed, Enter is the list's again, which goes into the module.
  QApplication::setActiveWindow(chats.Window());
  QTest::keyClicks(QApplication::focusWidget(), "From the list");
  QApplication::setActiveWindow(frame.get());
  frame->Client()->List()->setFocus();
  Press(Qt::Key_Return);
  EXPECT_EQ(chats.Window()->TextControl()->Text(), "");
  chats.Window()->close();
  QApplication::setActiveWindow(frame.get());
  Press(Qt::Key_Return);
  EXPECT_TRUE(frame->CurrentModule()->isAncestorOf(QApplication::focusWidget()));

  // Tools > Options and Help > About, each closed with Escape.
  for (auto [menu, item, title] : {std::tuple{Qt::Key_T, Qt::Key_O, "Options"},
                                   {Qt::Key_H, Qt::Key_A, "About Tavik Short Messaging"}}) {
    QString shown;
    const auto close = OnNextModal([&shown](QWidget* modal) {
      shown = modal->windowTitle();
      QApplication::setActiveWindow(modal);
      Press(Qt::Key_Escape);
    });
    QApplication::setActiveWindow(frame.get());
    Press(menu, Qt::AltModifier);
    Press(item);
    EXPECT_EQ(shown, title);
  }
}

}  // namespace
}  // namespace zeph::testing
