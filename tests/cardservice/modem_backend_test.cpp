// zeph-cardservice --modem against the ModemManager mock on a private bus,
// through the program's own request layer, send engine and reception.

#include <gtest/gtest.h>

#include <filesystem>

#include "cardservice/card_model.h"
#include "core/codecs/card_message.h"
#include "core/devicelink/control_link.h"
#include "core/devicelink/device_requests.h"
#include "core/folders/reception.h"
#include "support/engine_fixture.h"
#include "support/modem_mock.h"

namespace zeph {
namespace {

using nlohmann::json;
constexpr const char* kModemPath = "/org/freedesktop/ModemManager1/Modem/0";

std::vector<uint8_t> Block(const std::string& text, uint32_t flags = 0) {
  auto record = testing::Message("", text, {}, flags);
  if (flags & MRF_PICTURE) record->picture = PictureImage{};
  return BuildCardMessage(*record);
}

class ModemTest : public testing::EngineFixture {
 protected:
  // The emulator the engine fixture started gives way to a modem service with a fresh state.
  ModemTest() : mock_(folder_) {
    service_.Stop();
    std::filesystem::remove(folder_.File("cardservice.json"));
    service_.Start(folder_, {"--modem"});
    sync_ = testing::OpenServicePipe(folder_);
    EXPECT_TRUE(ConnectionIs(0x202));
  }

  bool ConnectionIs(uint32_t state) {
    return WaitUntil([&] { return ReadConnectionState(*sync_) == state; });
  }
  int Fetch() {
    ReceptionTargets targets{lists_.inbox,   paths_.inbox, lists_.reports,
                             paths_.reports, lists_.chat,  std::nullopt};
    return FetchNewMessages(*sync_, targets, {});
  }
  uint32_t Send(const std::vector<uint8_t>& block, uint8_t& reference) {
    return SendShortMessage(*sync_, false, "+4930", block, reference);
  }

  testing::ModemMock mock_;
  std::unique_ptr<IpcPipe> sync_;
};

TEST_F(ModemTest, TextsGoThroughCreateAndSendAndPicturesAreRefused) {
  ASSERT_EQ(WriteCentreSettings(*sync_, {"+4917000"}), 0u);
  uint8_t reference = 0;
  EXPECT_EQ(Send(Block("\x80 \xE9"), reference), 0u);
  EXPECT_EQ(reference, 0xA0);  // the mock's reference 0x1A0, cut to a byte
  ASSERT_EQ(WriteSendOptions(*sync_, {0, 0, 0}), 0u);
  ASSERT_EQ(WriteCentreSettings(*sync_, {""}), 0u);
  EXPECT_EQ(Send(Block(std::string(400, 'a')), reference), 0u);
  EXPECT_EQ(Send(Block("Hi", MRF_PICTURE), reference), cardservice::status::kNotWithModem);
  EXPECT_EQ(mock_.Created(),
            json::array({json({{"number", "+4930"},
                               {"text", "\xE2\x82\xAC \xC3\xA9"},
                               {"smsc", "+4917000"},
                               {"delivery-report-request", true}}),
                         json({{"number", "+4930"}, {"text", std::string(400, 'a')}})}));
  EXPECT_TRUE(WaitUntil([&] { return mock_.Held() == 0; }));  // sent objects deleted

  mock_.SetSend(0, 1, "org.freedesktop.ModemManager1.Error.Core.Unauthorized");
  EXPECT_EQ(Send(Block("x"), reference), cardservice::status::kModemError + EACCES);
  EXPECT_NE(service_.Control(R"({"verb":"show"})").find("Unauthorized"), std::string::npos);
  EXPECT_NE(service_.Log().find("active desktop session"), std::string::npos);
  EXPECT_TRUE(WaitUntil([&] { return mock_.Held() == 0; }));
}

TEST_F(ModemTest, MessagesAreAnnouncedOnceReceivedAndTakenByReception) {
  auto indications = testing::OpenServicePipe(folder_, wire::kIndicationPipeName);
  ASSERT_EQ(IPCRegisterIndications(*indications, 0x2290000, 0x22D0FFF), 0u);
  int announced = 0;
  auto announcedAre = [&](int count) {
    return WaitUntil([&] {
      std::span<const uint8_t> frame;
      while (indications->FrameWaiting() && indications->ReadFrame(frame) == 0) ++announced;
      return announced >= count;
    });
  };
  const std::string part = mock_.Deliver({{"State", 'u', 2}, {"Text", 's', "Hello "}});
  mock_.Deliver({{"State", 's', "3"}, {"Text", 's', "wrong type"}});  // never counted
  mock_.Deliver({{"Number", 's', "+4931"}, {"Text", 's', std::string(100000, 'y')}});
  ASSERT_TRUE(announcedAre(1));
  EXPECT_EQ(Fetch(), 1);
  mock_.Update(part, {{"State", 'u', 3}});
  mock_.Update(part, {{"Text", 's', "Hello world"}});  // no second announcement
  ASSERT_TRUE(announcedAre(2));
  EXPECT_EQ(Fetch(), 1);
  EXPECT_EQ(testing::TextsOf(lists_.inbox),
            (std::vector<std::string>{std::string(1599, 'y'), "Hello world"}));
  EXPECT_EQ(mock_.Held(), 1u);  // the one of the wrong type stays on the modem
  announcedAre(2);              // takes what came before the last count's answer
  EXPECT_EQ(announced, 2);
}

TEST_F(ModemTest, ConnectionFollowsTheModemStateAndModemManagerComingBack) {
  // A signal from anyone but ModemManager is not believed.
  sd_bus_emit_signal(mock_.bus(), "/org/freedesktop/ModemManager1",
                     "org.freedesktop.DBus.ObjectManager", "InterfacesRemoved", "oas", kModemPath,
                     1, "org.freedesktop.ModemManager1.Modem");
  mock_.Update(kModemPath, {{"OperatorName", 's', "Othernet"}});
  EXPECT_TRUE(WaitUntil([&] {
    return service_.Control(R"({"verb":"show"})").find("Othernet") != std::string::npos;
  }));
  for (auto [state, registration, connection] :
       {std::tuple{3, 1, 0u}, {6, 5, 0x202u}, {6, 2, 0u}, {11, 0, 0x202u}, {-1, 1, 0u}}) {
    mock_.Update(kModemPath, {{"State", 'i', state}, {"RegistrationState", 'u', registration}});
    EXPECT_TRUE(ConnectionIs(connection)) << state;
  }
  mock_.StopModemManager();
  mock_.StartModemManager();
  EXPECT_TRUE(ConnectionIs(0x202));
  mock_.Deliver({{"Text", 's', "After the restart"}});
  EXPECT_EQ(Fetch(), 1);
}

TEST_F(ModemTest, AModemRemovedDuringASendComesBackAndTheOutboxSendsIt) {
  mock_.SetSend(60000, 0);
  Queue("Once more");
  Engine().GiveRetryEntries();
  StartEngine();
  ASSERT_TRUE(WaitUntil([&] { return mock_.Created().size() == 1; }));
  mock_.RemoveModem();
  EXPECT_TRUE(ConnectionIs(0));
  ASSERT_TRUE(WaitUntil([&] { return OutboxState(0) == MRF_WAITING; }));
  mock_.SetSend(0, 0);
  mock_.AddModem();
  EXPECT_TRUE(ConnectionIs(0x202));
  clock_.Advance(5000);  // past the retry pause
  ASSERT_TRUE(WaitUntil([&] { return OutboxCount() == 0; }));
  EXPECT_EQ(mock_.Created().size(), 2u);
  EXPECT_EQ(Texts(lists_.sent), std::vector<std::string>{"Once more"});
}

TEST_F(ModemTest, ASlowSendHoldsUpNoOtherPipe) {
  mock_.SetSend(3000, 0);
  auto sendPipe = testing::OpenServicePipe(folder_, wire::kSendPipeName);
  uint32_t result = 1;
  std::thread sender([&] {
    uint8_t reference = 0;
    result = SendShortMessage(*sendPipe, false, "+4930", Block("slow"), reference);
  });
  ASSERT_TRUE(WaitUntil([&] { return mock_.Sending() == 1; }));
  auto later = testing::OpenServicePipe(folder_);  // held after the send: replies go by ticket
  StoredMessageCounts counts;
  EXPECT_EQ(ReadStoredMessageCounts(*later, counts), 0u);
  EXPECT_EQ(ReadConnectionState(*sync_), 0x202u);
  EXPECT_EQ(mock_.Sending(), 1u);  // both answered while the send was on its way
  sender.join();
  EXPECT_EQ(result, 0u);
}

TEST_F(ModemTest, PhonebookAndOwnNumberOutliveARestart) {
  std::string own;
  ASSERT_EQ(ReadSimText(*sync_, own), 0u);
  EXPECT_EQ(own, "+15550123");  // the modem's
  uint16_t location = 0;
  ASSERT_EQ(AddPhonebookEntry(*sync_, "Anna \xE9", "+4930", location), 0u);
  ASSERT_EQ(WriteSimText(*sync_, "+4999"), 0u);
  service_.Stop();
  service_.Start(folder_, {"--modem"});
  ASSERT_TRUE(ConnectionIs(0x202));  // the modem found again
  ContactList contacts;
  ASSERT_EQ(ReadPhonebook(*sync_, contacts), 0u);
  EXPECT_EQ(contacts.Count(), 1);
  ASSERT_EQ(ReadSimText(*sync_, own), 0u);
  EXPECT_EQ(own, "+4999");  // the number the user set wins
  EXPECT_NE(service_.Control(R"({"verb":"deliver"})").find("not available with a modem"),
            std::string::npos);
  service_.Control(R"({"verb":"own-number","number":""})");
  ASSERT_EQ(ReadSimText(*sync_, own), 0u);
  EXPECT_EQ(own, "+15550123");
  ServiceStatus shown;  // as the card settings read it
  ASSERT_TRUE(ReadServiceStatus(folder_.path().string(), shown));
  EXPECT_EQ(shown.manufacturer + "/" + shown.operatorName + "/" + shown.registration + "/" +
                std::to_string(shown.signalQuality) + "/" + std::to_string(shown.connectionState),
            "Example Modems/Testnet/home/70/514");  // connection 0x202
  EXPECT_EQ(WriteCardParamU8(*sync_, wire::kParamLongMessages, 0),
            cardservice::status::kNotWithModem);
  EXPECT_EQ(WriteCardParamU8(*sync_, wire::kParamLongMessages, 1), 0u);
}

}  // namespace
}  // namespace zeph
