#include <QLabel>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/base/control_id.h"
#include "app/base/dialog_fonts.h"
#include "app/base/program_bitmaps.h"
#include "app/controls/action_bar.h"
#include "app/controls/picture_display.h"

namespace zeph {
namespace {

TEST(ControlsTest, DialogItemFontTurnsBoldAndBackAndAPictureDisplayTakesItsPicturesSize) {
  QWidget dialog;
  auto* label = new QLabel(QStringLiteral("From:"), &dialog);  // owned by the dialog
  SetControlId(label, ControlId::kInboxFromLabel);
  SetDialogItemFont(&dialog, ControlId::kInboxFromLabel, 1);
  EXPECT_EQ(label->font().weight(), QFont::Bold);
  SetDialogItemFont(&dialog, ControlId::kInboxFromLabel, 0);
  EXPECT_EQ(label->font(), DialogFontRegular());
  SetDialogItemFont(&dialog, ControlId::kSentToLabel, 1);  // no such control: nothing
  SetDialogItemFont(nullptr, ControlId::kInboxFromLabel, 1);

  PictureDisplay display(nullptr, BitmapForResource(BitmapId::kPictureDecoration));
  ASSERT_FALSE(display.Picture().isNull());
  EXPECT_EQ(display.sizeHint(), display.Picture().size());
}

TEST(ControlsTest, ActionBarButtonsReportTheirCommandAndFollowTheirState) {
  ActionBar bar;
  bar.resize(400, ActionBar::kHeight);
  bar.SetLeftWidth(100);
  EXPECT_EQ(bar.ButtonsStart(), 100);
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
  bar.show();
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
