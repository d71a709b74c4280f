// The device link against the card-service emulator: the pipes, the module-switch notice
// and the message-centre number, through the real socket.

#include "core/devicelink/result_codes.h"
#include "support/folders_fixture.h"

namespace zeph::testing {
namespace {

using CardServiceTest = FoldersFixture;

// The phonebook read and the indication pipe over this link are the Contacts and Inbox tests'.
TEST_F(CardServiceTest, TheLinkNotifiesReadsTheCentreNumberAndFailsQuietlyOnceClosed) {
  EXPECT_EQ(device->NotifyModuleSwitch(), 0u);
  std::string number;
  EXPECT_EQ(device->ReadCentreNumber(&number), 0u);
  EXPECT_EQ(number, "+15550000");  // what Options shows is the dialog's own test
  device->ClosePipes();
  number = "untouched";
  EXPECT_EQ(device->ReadCentreNumber(&number), kIpcNotConnected);
  EXPECT_EQ(number, "untouched");
  EXPECT_EQ(device->NotifyModuleSwitch(), kIpcNotConnected);
}

}  // namespace
}  // namespace zeph::testing
