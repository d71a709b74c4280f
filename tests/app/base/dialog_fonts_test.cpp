#include <gtest/gtest.h>
#include <QLabel>

#include "app/base/control_id.h"
#include "app/base/dialog_fonts.h"

namespace zeph {
namespace {

TEST(DialogFontsTest, DialogItemFontTurnsBoldAndBack) {
  QWidget dialog;
  auto* label = new QLabel(QStringLiteral("From:"), &dialog);  // owned by the dialog
  SetControlId(label, ControlId::kInboxFromLabel);
  SetDialogItemFont(&dialog, ControlId::kInboxFromLabel, 1);
  EXPECT_EQ(label->font().weight(), QFont::Bold);
  SetDialogItemFont(&dialog, ControlId::kInboxFromLabel, 0);
  EXPECT_EQ(label->font(), DialogFontRegular());
  SetDialogItemFont(&dialog, ControlId::kSentToLabel, 1);  // no such control: nothing
  SetDialogItemFont(nullptr, ControlId::kInboxFromLabel, 1);
}

}  // namespace
}  // namespace zeph
