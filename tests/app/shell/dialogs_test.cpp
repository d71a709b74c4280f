#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QTest>

#include "app/base/cannot_send_dialog.h"
#include "app/base/control_id.h"
#include "app/shell/about_dialog.h"
#include "app/shell/options_dialog.h"
#include "support/app_fixture.h"

namespace zeph::testing {
namespace {

constexpr int kSection = kAppSettingsSection;

class DialogsTest : public AppFixture {
 protected:
  int Int(const char* name) {
    int value = -77;
    return settings.ReadSettingInt(kSection, "", name, &value) ? value : -77;
  }
  std::string Str(const char* name) {
    std::string value = "<missing>";
    settings.ReadSettingString(kSection, "", name, &value, 64);
    return value;
  }
  static QLineEdit* Line(QWidget* dialog, ControlId id) {
    return FindControlAs<QLineEdit>(dialog, id);
  }
};

TEST_F(DialogsTest, OptionsShowsTheSettingsAndTheCentreNumber) {
  settings.WriteSettingString(kSection, "", "OwnName", "Ren\xe9");  // Windows-1252 e-acute
  settings.WriteSettingInt(kSection, "", "ChatSMSs", 12);
  settings.WriteSettingInt(kSection, "", "ChatOnTop", 1);
  OptionsDialog dialog(nullptr, settings, link);
  EXPECT_EQ(Line(&dialog, ControlId::kNameField)->text(), QString::fromUtf8("Ren\u00e9"));
  EXPECT_EQ(Line(&dialog, ControlId::kChatHours)->text(), "12");
  EXPECT_TRUE(FindControlAs<QCheckBox>(&dialog, ControlId::kChatOnTop)->isChecked());
  auto* centre = Line(&dialog, ControlId::kCentreNumberOrDate);
  EXPECT_EQ(centre->text(), "+358405550100");
  EXPECT_EQ(link.Count("0x290003"), 1);
  EXPECT_TRUE(centre->isReadOnly());
  // It opens at the height its wrapped texts take at its own width.
  dialog.show();
  QApplication::processEvents();
  EXPECT_EQ(dialog.height(), dialog.layout()->totalHeightForWidth(dialog.width()));
}

TEST_F(DialogsTest, OptionsCancelWritesNothingOkWritesAllFourAndAnEmptyHoursFieldAsZero) {
  link.result = 7;  // nothing can be read: the fields stay empty
  OptionsDialog cancelled(nullptr, settings, link);
  EXPECT_TRUE(Line(&cancelled, ControlId::kCentreNumberOrDate)->text().isEmpty());
  EXPECT_TRUE(Line(&cancelled, ControlId::kNameField)->text().isEmpty());
  EXPECT_TRUE(Line(&cancelled, ControlId::kChatHours)->text().isEmpty());
  EXPECT_FALSE(FindControlAs<QCheckBox>(&cancelled, ControlId::kChatOnTop)->isChecked());
  EXPECT_TRUE(cancelled.findChild<QCheckBox*>("NotifyOnArrival")->isChecked());  // missing: on
  Line(&cancelled, ControlId::kNameField)->setText("Someone");
  cancelled.reject();
  EXPECT_EQ(Str("OwnName"), "<missing>");
  EXPECT_EQ(Int("ChatSMSs"), -77);
  EXPECT_EQ(Int("ChatOnTop"), -77);

  settings.WriteSettingInt(kSection, "", "ChatSMSs", 5);
  OptionsDialog dialog(nullptr, settings, link);
  Line(&dialog, ControlId::kChatHours)->clear();
  Line(&dialog, ControlId::kNameField)->setText(QString(70, u'x'));
  FindControlAs<QCheckBox>(&dialog, ControlId::kChatOnTop)->setChecked(true);
  dialog.findChild<QCheckBox*>("NotifyOnArrival")->setChecked(false);
  dialog.accept();
  EXPECT_EQ(Int("NotifyOnArrival"), 0);
  EXPECT_EQ(Int("ChatSMSs"), 0);
  EXPECT_EQ(Str("OwnName"), std::string(63, 'x'));
  EXPECT_EQ(Int("ChatOnTop"), 1);

  OptionsDialog digits(nullptr, settings, link);
  auto* hours = Line(&digits, ControlId::kChatHours);
  hours->clear();
  QTest::keyClicks(hours, "4a-2");
  EXPECT_EQ(hours->text(), "42");
  digits.accept();
  EXPECT_EQ(Int("ChatSMSs"), 42);
}

TEST_F(DialogsTest, CannotSendClosesOnlyThroughOk) {
  ShowCannotSendWarning(nullptr, settings);  // the send engine's check: never shown, no tick
  QWidget owner;
  CannotSendDialog dialog(&owner, settings);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Int("CanNotSendWarning"), -77);
  auto* box = FindControlAs<QCheckBox>(&dialog, ControlId::kDoNotShowAgain);
  EXPECT_FALSE(box->isChecked());
  dialog.accept();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(Int("CanNotSendWarning"), 0);
}

TEST_F(DialogsTest, AboutBannerIsTheMaskedBlendOverTheFace) {
  AboutDialog dialog(nullptr);
  const QImage& banner = dialog.BlendedBanner();
  ASSERT_EQ(banner.size(), QSize(320, 92));
  const QColor face = dialog.palette().color(QPalette::Window);
  // The blend itself is core's. Top left: banner colour 18, 52, 120 under mask 0, so the
  // banner itself; bottom right: mask 255, so the face.
  EXPECT_EQ(banner.pixelColor(0, 0), QColor(18, 52, 120));
  EXPECT_EQ(banner.pixelColor(319, 91), face);
}

}  // namespace
}  // namespace zeph::testing
