#include <QLineEdit>
#include <QMessageBox>
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
    chatText = new QLineEdit(chat.get());  // owned by the chat window
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
  QLineEdit* chatText = nullptr;
  int sent = 0;
};

// Enter and Ctrl+Enter in the chat window itself: chat_window_test.
TEST_F(ChatEnterTest, EnterInsideTheCurrentModuleOrTheEditorKeepsItsMeaning) {
  Press(frame->Module(0)->ListView());
  EXPECT_EQ(sent, 0);
  QWidget editor;
  auto* field = new QLineEdit(&editor);  // owned by the editor
  editor.show();
  windows.messageEditor = &editor;
  Press(field);
  EXPECT_EQ(sent, 0);
  // Elsewhere in the frame (the module list), Enter sends, while there is a chat.
  Press(frame->Client()->List());
  EXPECT_EQ(sent, 1);
  chat.reset();
  EXPECT_EQ(windows.chatWindow, nullptr);
  Press(frame->Client()->List());
  EXPECT_EQ(sent, 1);
}

TEST_F(ChatEnterTest, EnterInAModalDialogAnswersTheDialog) {
  // A modal dialog (a question, Options, "Message Cannot Be Sent" over the
  // chat itself) keeps Enter for its default button.
  bool answered = false;
  int sentMeanwhile = -1;
  const auto answer = OnNextModal([&](QWidget* dialog) {
    QApplication::setActiveWindow(dialog);
    QWidget* focused = QApplication::focusWidget();
    EXPECT_TRUE(focused != nullptr && dialog->isAncestorOf(focused));
    QTest::keyClick(focused != nullptr ? focused : dialog, Qt::Key_Return);
    sentMeanwhile = sent;
    answered = !dialog->isVisible();
    if (!answered) static_cast<QDialog*>(dialog)->reject();
  });
  QMessageBox box(QMessageBox::Question, QStringLiteral("Tavik Short Messaging"),
                  QStringLiteral("Are you sure you want to delete the selected item?"),
                  QMessageBox::Yes | QMessageBox::No, frame.get());
  box.setDefaultButton(QMessageBox::Yes);
  EXPECT_EQ(box.exec(), QMessageBox::Yes);
  EXPECT_TRUE(answered);
  EXPECT_EQ(sentMeanwhile, 0);
}

}  // namespace
}  // namespace zeph::testing
