#include <QTest>

#include "app/controls/module_list.h"
#include "app/shell/chat_enter_filter.h"
#include "app/shell/frame_client.h"
#include "support/app_fixture.h"

namespace zeph::testing {
namespace {

class ChatEnterTest : public AppFixture {
 protected:
  void SetUp() override {
    frame = MakeFrame(0);
    filter = std::make_unique<ChatEnterFilter>(windows);
    QObject::connect(filter.get(), &ChatEnterFilter::SendChatRequested, [this] { ++sent; });
    qApp->installEventFilter(filter.get());
    chat = std::make_unique<QWidget>();
    chat->show();
    windows.chatWindow = chat.get();
  }
  void TearDown() override { qApp->removeEventFilter(filter.get()); }

  void Press(QWidget* target, Qt::KeyboardModifiers modifiers = {}) {
    QApplication::setActiveWindow(target->window());
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return, modifiers);
  }

  std::unique_ptr<MainFrame> frame;
  std::unique_ptr<ChatEnterFilter> filter;
  std::unique_ptr<QWidget> chat;
  int sent = 0;
};

// Enter in the chat window itself, in the current module, in the editor and in a dialog
// while a chat is open: the keyboard test; Ctrl+Enter in the chat: chat_window_test.
TEST_F(ChatEnterTest, EnterElsewhereInTheFrameSendsWhileThereIsAChat) {
  Press(frame->Client()->List());
  EXPECT_EQ(sent, 1);
  chat.reset();
  EXPECT_EQ(windows.chatWindow, nullptr);
  Press(frame->Client()->List());
  EXPECT_EQ(sent, 1);
}

}  // namespace
}  // namespace zeph::testing
