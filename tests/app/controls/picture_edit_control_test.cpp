// The picture edit control on a real widget: mouse events in, cells and pixels out. The
// geometry and the mouse rules are core's; here the widget feeds them and paints their cells.

#include <gtest/gtest.h>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "app/controls/picture_edit_control.h"
#include "support/app_fixture.h"

namespace zeph {
namespace {

using testing::EditCellCentre;

// The Picture Editor's drawing area: 5-pixel cells at a pitch of 6 from (11, 12) in the border.
constexpr QSize kGridClient(454, 192);
constexpr int kPitch = 6;
constexpr int kLeft = 1 + 11;  // the border, then the area
constexpr int kTop = 1 + 12;

EditGrid OnlyCell(int column, int row, uint32_t value, uint32_t others) {
  EditGrid grid;
  grid.fill(others);
  grid[GridCellIndex(column, row)] = value;
  return grid;
}

void SendMove(QWidget& widget, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers keys) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget.mapToGlobal(at)), Qt::NoButton,
                   held, keys);
  QCoreApplication::sendEvent(&widget, &move);
}

class PictureEditControlTest : public ::testing::Test {
 protected:
  PictureEditControlTest()
      : control(nullptr, kGridClient, nullptr), changes(&control, &PictureEditControl::Changed) {
    control.show();
  }

  PictureEditControl control;
  QSignalSpy changes;
};

TEST_F(PictureEditControlTest, AStrokeOutsideTheControlIsNotSeenButAReleaseOffThePictureNotifies) {
  // Qt holds the pointer for a widget while a button is down; the control acts as if not.
  QTest::mousePress(&control, Qt::LeftButton, {}, EditCellCentre(0, 0));
  SendMove(control, QPoint(-5, 40), Qt::LeftButton, {});
  QTest::mouseRelease(&control, Qt::LeftButton, {}, QPoint(control.width() + 3, 40));
  EXPECT_EQ(changes.count(), 0);
  // Inside the control but in the margin around the picture.
  QTest::mouseRelease(&control, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(control.Grid(), EditGrid{});
}

TEST_F(PictureEditControlTest, ShiftDragChangesNoCellUntilTheRelease) {
  QTest::mousePress(&control, Qt::LeftButton, {}, EditCellCentre(2, 2));
  for (int column : {3, 4, 5})
    SendMove(control, EditCellCentre(column, 2), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(control.Grid(), EditGrid{});
  EXPECT_EQ(changes.count(), 0);
  QTest::mouseRelease(&control, Qt::LeftButton, Qt::ShiftModifier, EditCellCentre(6, 2));
  EXPECT_EQ(control.Grid(), OnlyCell(6, 2, 1, 0));
}

// The control holds no pointer: a stroke pressed on the window around it paints the cells it
// crosses, and its release the cell under it (events through the window, as the mouse sends).
// What SetGrid and Clear tell is the Picture Editor's test.
TEST(PictureEditControlDragTest, ADragStartedOffTheControlPaintsTheCellsItCrosses) {
  QWidget dialog;
  dialog.resize(500, 260);
  PictureEditControl control(&dialog, kGridClient, nullptr);
  control.move(20, 40);
  dialog.show();
  QWindow* window = dialog.windowHandle();
  QSignalSpy changes(&control, &PictureEditControl::Changed);
  auto cell = [&](int column) { return control.mapTo(&dialog, EditCellCentre(column, 2)); };
  for (QPoint press : {QPoint(5, 5), cell(10)}) {  // the background, then the control itself
    QTest::mousePress(window, Qt::LeftButton, {}, press);
    QTest::mouseMove(window, cell(3));
    QTest::mouseMove(window, cell(4));
    QTest::mouseRelease(window, Qt::LeftButton, {}, cell(5));
  }
  // Each stroke notifies four times, whoever had the press: three moves (the window moves
  // the pointer to the release's point first) and the release.
  EXPECT_EQ(changes.count(), 8);
  QTest::mouseClick(window, Qt::RightButton, {}, cell(4));  // the right button whitens
  EditGrid expected{};
  for (int column : {3, 5}) expected[GridCellIndex(column, 2)] = 1;
  EXPECT_EQ(control.Grid(), expected);
}

TEST_F(PictureEditControlTest, PaintsTheFrameTheGridLinesAndEachBlackCellAsASquare) {
  control.SetGrid(OnlyCell(1, 1, 1, 0));
  const QImage image = control.grab().toImage();
  const QRgb black = qRgb(0, 0, 0);
  const QRgb white = qRgb(255, 255, 255);
  const QRgb line = qRgb(156, 168, 175);
  struct Probe {
    const char* what;
    QPoint at;
    QRgb colour;
  };
  // Cell (1, 1) is the square from (kLeft + 7, kTop + 7), 5 pixels a side.
  const Probe probes[] = {
      {"frame, outer pixel", QPoint(kLeft - 1, kTop + 20), black},
      {"frame, on the area's edge", QPoint(kLeft, kTop + 20), black},
      {"frame, right", QPoint(kLeft + 72 * kPitch + 1, kTop + 20), black},
      {"frame, bottom", QPoint(kLeft + 30, kTop + 28 * kPitch + 1), black},
      {"white cell", EditCellCentre(0, 0), white},
      {"vertical grid line", QPoint(kLeft + kPitch, kTop + 2), line},
      {"horizontal grid line", QPoint(kLeft + 20, kTop + 2 * kPitch), line},
      {"black cell, first pixel", QPoint(kLeft + 7, kTop + 7), black},
      {"black cell, last pixel", QPoint(kLeft + 11, kTop + 11), black},
      {"grid line after the black cell", QPoint(kLeft + 12, kTop + 9), line},
      {"margin", QPoint(5, 5), white},
  };
  for (const Probe& probe : probes) {
    EXPECT_EQ(image.pixel(probe.at), probe.colour) << probe.what;
  }
}

TEST(PictureEditControlSizeTest, ASmallControlShowsThePictureAtOnePixelACellWithoutGridLines) {
  PictureImage picture{};
  picture[0] = 0x80;  // the top-left pixel
  PictureEditControl preview(nullptr, QSize(91, 54), &picture);
  EXPECT_TRUE(preview.cursor().shape() == Qt::ArrowCursor);
  const QImage image = preview.grab().toImage();
  // The area starts at (9, 13); the square sits one pixel inside.
  EXPECT_EQ(image.pixel(1 + 9 + 1, 1 + 13 + 1), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(1 + 9 + 2, 1 + 13 + 1), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(1 + 9, 1 + 13), qRgb(255, 255, 255));  // no frame
}

}  // namespace
}  // namespace zeph
