// The device link against the card-service emulator: the pipes, the module-switch notice
// and the Options dialog's message-centre number, through the real socket.

#include <QLineEdit>

#include "app/base/control_id.h"
#include "app/shell/options_dialog.h"
#include "core/devicelink/result_codes.h"
#include "support/folders_fixture.h"

namespace zeph::testing {
namespace {

using CardServiceTest = FoldersFixture;

// The frame's phonebook read over this link is the Contacts tests' (contacts_fixture.h).
TEST_F(CardServiceTest, TheLinkNotifiesReadsTheCentreNumberAndFailsQuietlyOnceClosed) {
  ASSERT_NE(device->IndicationPipe(), nullptr);
  EXPECT_EQ(device->NotifyModuleSwitch(), 0u);
  {
    OptionsDialog dialog(nullptr, settings, *device);
    EXPECT_EQ(FindControlAs<QLineEdit>(&dialog, ControlId::kCentreNumberOrDate)->text(),
              "+15550000");
  }
  device->ClosePipes();
  EXPECT_EQ(device->SyncPipe(), nullptr);
  std::string number = "untouched";
  EXPECT_EQ(device->ReadCentreNumber(&number), kIpcNotConnected);
  EXPECT_EQ(number, "untouched");
  EXPECT_EQ(device->NotifyModuleSwitch(), kIpcNotConnected);
}

}  // namespace
}  // namespace zeph::testing
