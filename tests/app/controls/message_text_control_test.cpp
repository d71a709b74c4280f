#include "app/controls/message_text_control.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <string>

#include "support/app_fixture.h"
#include "support/fake_pipe.h"

namespace zeph {
namespace {

using testing::FakePipe;
using testing::ReplyFrame;

PictureImage CornerPicture() {
  PictureImage picture{};
  picture[0] = 0x80;  // pixel (0, 0) black, the rest white
  return picture;
}

class MessageTextControlTest : public ::testing::Test {
 protected:
  // A control as the editor holds it: the counter refreshed on every change.
  std::unique_ptr<MessageTextControl> Make(uint8_t flag = 1) {
    FakePipe card;  // answers the long-message flag (parameter 0x510C) with `flag`
    card.Reply(ReplyFrame(0x0B0001, 0, {flag}));
    auto control = std::make_unique<MessageTextControl>(nullptr, &card, &asker);
    control->resize(300, 150);
    QObject::connect(control.get(), &MessageTextControl::Changed, control.get(),
                     [this, c = control.get()] { counter = FormatLengthCounter(*c); });
    control->show();
    return control;
  }
  testing::ScriptedAsker asker;
  QString counter;
};

TEST_F(MessageTextControlTest, TypingStopsAtTheUnitLimit) {
  auto single = Make(0);
  ASSERT_FALSE(single->LongMessagesAllowed());
  QTest::keyClicks(single->Edit(), QString(170, QLatin1Char('x')));
  EXPECT_EQ(single->Text(), std::string(160, 'x'));
  EXPECT_EQ(counter, "0(1)");

  // A line break is a carriage return and a line feed: chat_window_test, keyboard_test.

  // No card at all allows long messages (a card that does not answer: device_requests_test).
  EXPECT_TRUE(MessageTextControl(nullptr, nullptr, &asker).LongMessagesAllowed());
}

// What the card cannot carry shows as the '?' the send makes of it, and is kept as such.
TEST_F(MessageTextControlTest, TextTheCardCannotCarryShowsAsItWillBeSent) {
  auto control = Make();
  for (QChar c : QString::fromUtf8("Grüße Привет €"))  // typed, one key each
    QTest::sendKeyEvent(QTest::Click, control->Edit(), Qt::Key_unknown, QString(c), {});
  control->Edit()->insertPlainText(QString::fromUtf8(" \U0001F600"));  // pasted: two surrogates
  EXPECT_EQ(control->Edit()->toPlainText(), QString::fromUtf8("Grüße ?????? € ?"));
  EXPECT_EQ(control->Text(),
            "Gr\xFC\xDF"
            "e ?????? \x80 ?");  // what it counts, the euro sign two units, is core's
}

TEST_F(MessageTextControlTest, PastingFarPastTheLimitKeepsWhatFits) {
  // Where the cut falls is the measurement's rule; in the middle of a text the paste keeps
  // its beginning and the text after the caret stays.
  auto control = Make(1);
  control->SetText("start end");
  QTextCursor caret = control->Edit()->textCursor();
  caret.setPosition(6);
  control->Edit()->setTextCursor(caret);
  QApplication::clipboard()->setText(QString(1599, QLatin1Char('p')));
  control->Paste();
  EXPECT_EQ(control->Text(), "start " + std::string(1055, 'p') + "end");
  EXPECT_EQ(counter, "0(7)");
}

TEST_F(MessageTextControlTest, PictureRefusedPast121CharactersRemoveKeepsTheTextClearEmptiesIt) {
  auto control = Make();
  QAction* save = control->SavePictureAction();
  control->SetText("one\r\ntwo\tthree");
  EXPECT_EQ(control->Text(), "one  two three");
  control->AttachPicture(CornerPicture());
  EXPECT_TRUE(save->isEnabled());
  control->RemovePicture();  // the picture goes: the editor's and the chat's tests
  EXPECT_FALSE(save->isEnabled());
  EXPECT_EQ(control->Text(), "one  two three");
  control->AttachPicture(CornerPicture());
  control->Clear();  // which also empties the text: the chat's send
  EXPECT_FALSE(control->Picture().has_value());

  // A picture is refused, with error 58, past 121 characters.
  QSignalSpy changed(control.get(), &MessageTextControl::Changed);
  control->SetText(std::string(122, 'a'));
  control->AttachPicture(CornerPicture());
  EXPECT_EQ(asker.errors, std::vector<int>{58});
  EXPECT_FALSE(control->Picture().has_value());
  EXPECT_EQ(changed.count(), 0);
  EXPECT_FALSE(control->SavePictureAction()->isEnabled());

  control->SetText(std::string(121, 'a'));
  control->AttachPicture(CornerPicture());
  EXPECT_EQ(asker.errors.size(), 1u);
  EXPECT_EQ(control->Picture(), CornerPicture());
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(MessageTextControlTest, PictureLayoutsMoveTheTextAndDrawSharp) {
  auto control = Make();
  control->AttachPicture(CornerPicture());
  EXPECT_EQ(control->Edit()->geometry(), QRect(0, 60, 300, 90));
  QImage shown = control->grab().toImage();
  // Layout 2: each picture pixel is 2 x 2 screen pixels.
  EXPECT_EQ(shown.pixelColor(0, 0), Qt::black);
  EXPECT_EQ(shown.pixelColor(1, 1), Qt::black);
  EXPECT_EQ(shown.pixelColor(2, 2), Qt::white);

  control->RemovePicture();
  control->SetPictureLayout(MessageTextControl::kLayoutBeside);
  control->SetPictureLayout(5);  // not a layout: ignored
  control->AttachPicture(CornerPicture());
  EXPECT_EQ(control->Edit()->geometry(), QRect(88, 0, 212, 150));
  shown = control->grab().toImage();
  EXPECT_EQ(shown.pixelColor(0, 0), Qt::black);
  EXPECT_EQ(shown.pixelColor(1, 1), Qt::white);

  // On a scaled screen each cell is whole device pixels, rounded down so
  // that the picture stays within the room left for it.
  struct Scaled {
    int cell;
    qreal ratio;
    int devicePixels;
  };
  for (Scaled c : {Scaled{1, 2.0, 2}, Scaled{2, 1.25, 2}, Scaled{2, 1.5, 3}, Scaled{1, 1.5, 1}}) {
    const QImage image = DrawPictureImage(CornerPicture(), c.cell, c.ratio);
    EXPECT_EQ(image.size(), QSize(72, 28) * c.devicePixels) << c.cell << " at " << c.ratio;
    EXPECT_EQ(image.pixelColor(c.devicePixels - 1, c.devicePixels - 1), Qt::black);
    EXPECT_EQ(image.pixelColor(c.devicePixels, 0), Qt::white);
    EXPECT_LE(image.deviceIndependentSize().width(), 72 * c.cell);
  }
}

// What its Save Picture asks for: the editor's and the chat's tests.
TEST_F(MessageTextControlTest, ARightClickShowsThePopup) {
  auto control = Make();
  QTest::mouseClick(control.get(), Qt::RightButton, {}, QPoint(10, 10));
  ASSERT_TRUE(control->ContextPopup()->isVisible());
  control->ContextPopup()->close();
}

TEST_F(MessageTextControlTest, ReadOnlyTakesNoTyping) {
  auto control = Make();
  control->SetReadOnly();
  control->SetText("received");
  QTest::keyClicks(control->Edit(), QStringLiteral("xyz"));
  EXPECT_EQ(control->Text(), "received");
}

}  // namespace
}  // namespace zeph
