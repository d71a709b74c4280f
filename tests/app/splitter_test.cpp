#include <QTest>
#include <QToolButton>

#include "app/controls/action_bar.h"
#include "app/controls/module_list.h"
#include "app/shell/frame_client.h"
#include "app/shell/module_space.h"
#include "support/app_fixture.h"

namespace zeph::testing {
namespace {

class SplitterTest : public AppFixture {
 protected:
  void SetUp() override {
    frame = MakeFrame(0);
    client = frame->Client();
    w = client->ListWidth();
    y = client->height() / 2;
    // The platform drops a move to where the cursor already is, so every
    // test starts away from the splitter.
    Move(w + 40);
  }
  void Move(int x) { QTest::mouseMove(client, QPoint(x, y)); }
  void Press(int x) { QTest::mousePress(client, Qt::LeftButton, {}, QPoint(x, y)); }
  void Release(int x) { QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(x, y)); }
  int ButtonsRoom() const {
    return client->Bar()->ButtonsEnd() - client->Bar()->ButtonsStart();
  }

  std::unique_ptr<MainFrame> frame;
  FrameClient* client = nullptr;
  int w = 0;
  int y = 0;
};

TEST_F(SplitterTest, StartsAtTheListsMinimumWidthAndLaysOutAroundTheGap) {
  const int narrowest = client->List()->MinimumWidth();
  EXPECT_GE(narrowest, 90);
  EXPECT_EQ(w, narrowest);
  EXPECT_EQ(client->List()->geometry(), QRect(0, 32, w, client->height() - 32));
  EXPECT_EQ(client->Space()->geometry(),
            QRect(w + 3, 32, client->width() - w - 3, client->height() - 32));
  EXPECT_EQ(client->Bar()->geometry(), QRect(0, 0, client->width(), 32));
  EXPECT_EQ(client->SplitterRect(), QRect(QPoint(w - 1, 0), QPoint(w + 3, client->height())));
  // The smallest frame keeps the buttons and some space.
  EXPECT_EQ(client->minimumWidth(), client->Bar()->ButtonsEnd() + 23);
  EXPECT_EQ(client->minimumHeight(), 105);
}

TEST_F(SplitterTest, HoverCapturesAndLeavingReleases) {
  Move(w + 1);
  EXPECT_TRUE(client->SplitterHot());
  EXPECT_EQ(QWidget::mouseGrabber(), client);
  Move(w + 40);
  EXPECT_FALSE(client->SplitterHot());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

  // A click without movement keeps the width.
  Move(w + 1);
  Press(w + 1);
  Release(w + 1);
  EXPECT_FALSE(client->Dragging());
  EXPECT_EQ(client->ListWidth(), w);
  EXPECT_EQ(client->List()->width(), w);

  // Another window taking the activation releases it too.
  QApplication::setActiveWindow(frame.get());
  Move(w + 40);
  Move(w + 1);
  ASSERT_TRUE(client->SplitterHot());
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  QApplication::processEvents();
  EXPECT_FALSE(client->SplitterHot());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(SplitterTest, TrackerStopsAtTheListMinimumAndWhereTheButtonsStillFit) {
  Move(w + 1);
  Press(w + 1);
  ASSERT_TRUE(client->Dragging());
  EXPECT_EQ(client->TrackerX(), w + 1);
  Move(5);
  EXPECT_EQ(client->TrackerX(), client->List()->MinimumWidth());
  Move(2);  // clamped already: the tracker stays
  EXPECT_EQ(client->TrackerX(), client->List()->MinimumWidth());
  Move(w + 20);
  EXPECT_EQ(client->TrackerX(), w + 20);
  Move(client->width() - 2);
  EXPECT_EQ(client->TrackerX(), client->width() - ButtonsRoom() - 23);
  Move(w + 50);
  EXPECT_EQ(client->TrackerX(), w + 50);
  Release(w + 50);
  EXPECT_FALSE(client->Dragging());
  EXPECT_EQ(client->TrackerX(), -1);
  EXPECT_EQ(client->ListWidth(), w + 49);
  EXPECT_EQ(client->List()->width(), w + 49);
  EXPECT_EQ(client->Space()->x(), w + 49 + 3);
  EXPECT_EQ(client->Bar()->ButtonsStart(), w + 49);
  EXPECT_EQ(client->Bar()->ButtonAt(0)->x(), w + 49 + 7);

  // Dropped at the far right, the list leaves room for the buttons and their
  // margins, so the frame's smallest size still fits and the frame stays.
  const int before = frame->width();
  Move(w + 50);
  Press(w + 50);
  Move(client->width() - 2);
  Release(client->width() - 2);
  QApplication::processEvents();
  EXPECT_EQ(client->ListWidth(), client->width() - ButtonsRoom() - 24);
  EXPECT_LE(client->minimumWidth(), client->width());
  EXPECT_EQ(frame->width(), before);
}

TEST_F(SplitterTest, EscapeDuringADragRestoresWidthAndFocus) {
  frame->activateWindow();
  QWidget* focused = frame->Module(0)->ListView();
  focused->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), focused);
  Move(w + 1);
  Press(w + 1);
  EXPECT_EQ(QApplication::focusWidget(), client);
  Move(w + 60);
  QTest::keyClick(client, Qt::Key_Escape);
  EXPECT_FALSE(client->Dragging());
  EXPECT_FALSE(client->SplitterHot());
  EXPECT_EQ(client->TrackerX(), -1);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(QApplication::focusWidget(), focused);
  Release(w + 60);  // the button going up afterwards changes nothing
  EXPECT_EQ(client->ListWidth(), w);
}

}  // namespace
}  // namespace zeph::testing
