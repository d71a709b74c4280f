// The device link against the card-service emulator: the pipes, the module-switch notice
// and the message-centre number, through the real socket.

#include "core/devicelink/result_codes.h"
#include "support/folders_fixture.h"

namespace zeph::testing {
namespace {

using CardServiceTest = FoldersFixture;

// The frame's phonebook read over this link is the Contacts tests' (contacts_fixture.h).
TEST_F(CardServiceTest, TheLinkNotifiesReadsTheCentreNumberAndFailsQuietlyOnceClosed) {
  ASSERT_NE(device->IndicationPipe(), nullptr);
  EXPECT_EQ(device->NotifyModuleSwitch(), 0u);
  std::string number;
  EXPECT_EQ(device->ReadCentreNumber(&number), 0u);
  EXPECT_EQ(number, "+15550000");  // what Options shows is the dialog's own test
  device->ClosePipes();
  EXPECT_EQ(device->SyncPipe(), nullptr);
  number = "untouched";
  EXPECT_EQ(device->ReadCentreNumber(&number), kIpcNotConnected);
  EXPECT_EQ(number, "untouched");
  EXPECT_EQ(device->NotifyModuleSwitch(), kIpcNotConnected);
}

}  // namespace
}  // namespace zeph::testing
