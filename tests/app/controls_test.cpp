#include <QLabel>
#include <gtest/gtest.h>

#include "controls/control_id.h"
#include "controls/dialog_fonts.h"
#include "controls/picture_display.h"
#include "shell/program_bitmaps.h"
#include "shell/resource_icons.h"

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
