#include <QLabel>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/controls/action_bar.h"
#include "app/controls/control_id.h"
#include "app/controls/dialog_fonts.h"
#include "app/controls/picture_display.h"
#include "app/shell/program_bitmaps.h"
#include "app/shell/resource_icons.h"

namespace zeph {
namespace {

TEST(ControlsTest, DialogItemFontTurnsBoldAndBack) {
  QWidget dialog;
  auto* label = new QLabel(QStringLiteral("From:"), &dialog);  // owned by the dialog
  SetControlId(label, 8048);
  SetDialogItemFont(&dialog, 8048, 1);
  EXPECT_EQ(label->font().weight(), QFont::Bold);
  SetDialogItemFont(&dialog, 8048, 0);
  EXPECT_EQ(label->font(), DialogFontRegular());
  SetDialogItemFont(&dialog, 9999, 1);  // no such control: nothing
  SetDialogItemFont(nullptr, 8048, 1);
}

TEST(ControlsTest, PictureDisplayShowsItsBitmap) {
  QWidget dialog;
  PictureDisplay display(&dialog, 8022, kPictureDecorationBitmap);
  EXPECT_EQ(FindControl(&dialog, 8022), &display);
  EXPECT_FALSE(display.Picture().isNull());
  EXPECT_EQ(display.sizeHint(), display.Picture().size());
  PictureDisplay nothing(&dialog, 8023, 4711);
  EXPECT_TRUE(nothing.Picture().isNull());
}

TEST(ControlsTest, EveryIconOfTheTableHasAPicture) {
  for (int id : {100, 160, 166, 167, 168, 169, 170, 172, 113, 128, 124, 177, 114, 138, 125, 192,
                 115, 139, 126, 178, 116, 140, 127, 179, 133, 117, 134, 180}) {
    EXPECT_NE(ThemeNameForResource(id), nullptr) << id;
    EXPECT_FALSE(IconForResource(id).pixmap(32, 32).isNull()) << id;
  }
  EXPECT_EQ(ThemeNameForResource(1), nullptr);
  EXPECT_TRUE(IconForResource(1).isNull());
  for (int id : {206, 207, 208, 209, 137}) EXPECT_FALSE(BitmapForResource(id).isNull()) << id;
}

}  // namespace
}  // namespace zeph

namespace zeph {
namespace {

TEST(ControlsTest, ActionBarButtonsReportTheirCommandAndFollowTheirState) {
  ActionBar bar;
  bar.resize(400, ActionBar::kHeight);
  bar.SetLeftWidth(100);
  EXPECT_EQ(bar.ButtonsStart(), 100);
  EXPECT_EQ(bar.ButtonsEnd() - bar.ButtonsStart(), 13);  // no buttons: the two margins only
  std::vector<int> clicked;
  QObject::connect(&bar, &ActionBar::Clicked, [&clicked](int command) { clicked.push_back(command); });
  for (int command : {1, 8, 16}) {
    ActionButtonRecord record;
    record.command = command;
    record.initialState = command == 16 ? kButtonDisabled : kButtonEnabled;
    record.tooltip = QStringLiteral("Start Chat ");
    bar.AddButton(record);
  }
  EXPECT_EQ(bar.ButtonCount(), 3);
  EXPECT_FALSE(bar.ButtonAt(2)->isEnabled());
  EXPECT_EQ(bar.ButtonAt(2)->toolTip(), "Start Chat");
  EXPECT_GE(bar.ButtonAt(0)->x(), 100 + 3);  // right of the list and the splitter
  EXPECT_LT(bar.ButtonAt(0)->x(), bar.ButtonAt(1)->x());
  EXPECT_GT(bar.ButtonsEnd() - bar.ButtonsStart(), 3 * bar.ButtonAt(0)->width());

  bar.SetButtonState(1, kButtonDisabled);
  EXPECT_FALSE(bar.ButtonAt(1)->isEnabled());
  bar.SetButtonState(1, kButtonEnabled);
  EXPECT_TRUE(bar.ButtonAt(1)->isEnabled());
  bar.SetButtonState(7, kButtonDisabled);  // no such position: nothing
  bar.ButtonAt(0)->click();
  bar.ButtonAt(1)->click();
  bar.ButtonAt(2)->click();  // disabled: no click
  EXPECT_EQ(clicked, (std::vector<int>{1, 8}));

  bar.RemoveAllButtons();
  EXPECT_EQ(bar.ButtonCount(), 0);
  EXPECT_EQ(bar.ButtonAt(0), nullptr);
}

}  // namespace
}  // namespace zeph
