// The can-send check with its warning, against no card service and against
// the emulator's connection states.

#include <QCheckBox>
#include <QTest>

#include "app/base/can_send_check.h"
#include "app/base/control_id.h"
#include "app/platform/device_card_link.h"
#include "support/folders_fixture.h"

namespace zeph::testing {
namespace {

class CanSendCheckTest : public AppFixture {
 protected:
  CanSendCheckTest() {
    IpcOptions options;
    options.socketDir = documents.path().toStdString();
    device = std::make_unique<DeviceCardLink>(options);
    owner.show();
  }

  // One attempt; the warning, if it comes, is answered with `tick`.
  int Attempt(bool tick) {
    const auto answer = OnNextModal([this, tick](QWidget* dialog) {
      ++warnings;
      FindControlAs<QCheckBox>(dialog, ControlId::kDoNotShowAgain)->setChecked(tick);
      QTest::keyClick(dialog, Qt::Key_Return);
    });
    return CanSendNow(&owner, *device, settings);
  }

  std::unique_ptr<DeviceCardLink> device;
  QWidget owner;
  int warnings = 0;
};

// How often it warns is core's rule; here the box's tick reaches the settings, and a
// link whose pipes were never opened counts as no card service.
TEST_F(CanSendCheckTest, TheTickedBoxSilencesTheWarningAndALinkWithoutPipesCannotSend) {
  EXPECT_EQ(Attempt(false), 0);
  EXPECT_EQ(Attempt(true), 0);
  EXPECT_EQ(warnings, 2);
  int setting = 0;
  ASSERT_NE(settings.ReadSettingInt(8, "", "CanNotSendWarning", &setting), 0);
  EXPECT_EQ(setting, 1);
  EXPECT_EQ(Attempt(false), 0);
  EXPECT_EQ(warnings, 2);
}

TEST_F(CanSendCheckTest, FollowsTheEmulatorsConnection) {
  TempFolder folder;
  CardServiceProcess service(folder);
  device = std::make_unique<DeviceCardLink>(ServicePipeOptions(folder));
  device->OpenPipes();
  service.Control(R"({"verb":"connection","state":"gprs"})");
  EXPECT_EQ(Attempt(false), 1);
  EXPECT_EQ(warnings, 0);
  service.Control(R"({"verb":"connection","state":"searching"})");
  EXPECT_EQ(Attempt(false), 0);
  EXPECT_EQ(warnings, 1);
}

}  // namespace
}  // namespace zeph::testing
