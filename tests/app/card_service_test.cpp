// The device link against the card-service emulator: the pipes, the module-switch notice
// and the Options dialog's message-centre number, through the real socket.

#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include "app/base/control_id.h"
#include "app/platform/device_card_link.h"
#include "app/shell/options_dialog.h"
#include "core/devicelink/result_codes.h"
#include "support/app_fixture.h"

namespace zeph::testing {
namespace {

class CardServiceTest : public AppFixture {
 protected:
  void SetUp() override {
    service.start(QStringLiteral(ZEPH_CARDSERVICE_PATH),
                  {"--demo", "--socket-dir", documents.path(), "--state",
                   documents.filePath(QStringLiteral("card.json"))});
    ASSERT_TRUE(service.waitForStarted());
    const QString socket = documents.filePath(QStringLiteral("TavikZeph.sock"));
    for (int i = 0; i < 500 && !QFile::exists(socket); ++i) QTest::qWait(20);
    ASSERT_TRUE(QFile::exists(socket));
    IpcOptions options;
    options.socketDir = documents.path().toStdString();
    device = std::make_unique<DeviceCardLink>(options);
    device->OpenPipes();
    services.link = device.get();
  }
  void TearDown() override {
    device.reset();
    service.terminate();
    service.waitForFinished();
  }

  QProcess service;
  std::unique_ptr<DeviceCardLink> device;
};

// The frame's phonebook read over this link is the Contacts tests' (contacts_fixture.h).
TEST_F(CardServiceTest, TheLinkNotifiesReadsTheCentreNumberAndFailsQuietlyOnceClosed) {
  ASSERT_NE(device->IndicationPipe(), nullptr);
  EXPECT_EQ(device->NotifyModuleSwitch(), 0u);
  {
    OptionsDialog dialog(nullptr, settings, *device);
    EXPECT_EQ(FindControlAs<QLineEdit>(&dialog, ControlId::kCentreNumber)->text(), "+15550000");
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
