// What ModemManager's properties mean to the program, without a bus; hostile values included.

#include "cardservice/modem_mapping.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "core/codecs/business_card.h"
#include "core/codecs/card_message.h"
#include "core/codecs/card_message_layout.h"
#include "core/util/byte_order.h"
#include "support/records.h"

namespace zeph::cardservice {
namespace {

namespace cm = card_message;

// Local time is UTC here, so that converted times are known.
class InUtc : public ::testing::Test {
 protected:
  void SetUp() override { Set("UTC"); }
  void TearDown() override { Set(saved_.c_str()); }
  static void Set(const char* zone) {
    *zone ? setenv("TZ", zone, 1) : unsetenv("TZ");
    tzset();
  }
  std::string saved_ = std::getenv("TZ") ? std::getenv("TZ") : "";
};

// A modem object; registration -1: no 3GPP interface.
BusObject Modem(int64_t state, int64_t registration = -1, bool messaging = true) {
  BusObject modem{{mm::kModem, {{"State", state}}}};
  if (registration >= 0) modem[mm::kModem3gpp]["RegistrationState"] = registration;
  if (messaging) modem[mm::kMessaging];
  return modem;
}

ReceivedMessage Received(const PropertyMap& sms, const std::tm& now = {}) {
  return MessageRecordFromReceived(BlockFromSms(sms, now));
}

// "flags sender centre time text", then the report's "reference/status" if any. (The decoder
// leaves the day of the week and the milliseconds 0 whatever the block says.)
std::string Describe(const ReceivedMessage& received) {
  if (!received.record) return "<none>";
  const MessageRecord& r = *received.record;
  char head[96];
  std::snprintf(head, sizeof head, "%#x %s %s %d-%d-%d %d:%d:%d ", r.flags, FirstNumber(r).c_str(),
                r.serviceCentre.data(), r.time.year, r.time.month, r.time.day, r.time.hour,
                r.time.minute, r.time.second);
  const auto& report = received.report;
  return head + TextOf(r) +
         (report ? std::to_string(report->reference) + "/" + std::to_string(report->status) : "");
}

TEST(ModemMapping, ConnectionStateFollowsTheModemStateAndItsRegistration) {
  // Modem.State, 3GPP registration (none: -1), a Messaging interface, parameter 0x5001.
  const std::tuple<int64_t, int64_t, bool, uint32_t> cases[] = {
      {8, -1, true, 0x202}, {11, 2, true, 0x202}, {6, 1, true, 0x202}, {7, 5, true, 0x202},
      {6, 7, true, 0x202},  {-1, 1, true, 0},     {2, 1, true, 0},     {3, 5, true, 0},
      {7, 2, true, 0},      {6, 3, true, 0},      {99, 0, true, 0},    {8, 1, false, 0}};
  for (auto [state, registration, messaging, expected] : cases) {
    BusObject modem = Modem(state, registration, messaging);
    EXPECT_EQ(ConnectionStateOf(&modem), expected) << state << " " << registration;
  }
  EXPECT_EQ(ConnectionStateOf(nullptr), 0u);
  const BusObject wrongType{{mm::kModem, {{"State", std::string("8")}}}, {mm::kMessaging, {}}};
  EXPECT_EQ(ConnectionStateOf(&wrongType), 0u);
}

TEST(ModemMapping, TheModemIsTheOneAskedForElseTheFirstThatCanSend) {
  std::map<std::string, BusObject> objects = {{"/m/0", Modem(2, -1, false)},
                                              {"/m/1", Modem(8, 1)},
                                              {"/m/2", Modem(8, 1)},
                                              {"/s/1", {{mm::kSms, {}}}}};
  objects["/m/2"][mm::kModem]["EquipmentIdentifier"] = std::string("4711");
  EXPECT_EQ(ChooseModem(objects, ""), "/m/1");
  EXPECT_EQ(ChooseModem(objects, "4711"), "/m/2");
  EXPECT_EQ(ChooseModem(objects, "0815"), std::nullopt);
  objects.erase("/m/1");
  objects.erase("/m/2");
  EXPECT_EQ(ChooseModem(objects, ""), "/m/0");  // locked: there, but no connection
  EXPECT_EQ(ChooseModem({}, ""), std::nullopt);
}

TEST_F(InUtc, TimeStampsAreReadInEveryZoneFormAndAbsurdOnesAreRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"2024-05-06T12:34:56+02", "2024-05-06 10:34:56"},
      {"2024-05-06T12:34:56Z", "2024-05-06 12:34:56"},
      {"2024-05-06T12:34:56.250+05:30", "2024-05-06 07:04:56"},
      {"2024-01-01T00:30:00-0100", "2024-01-01 01:30:00"},
      {"2024-02-29 23:59:59", "2024-02-29 23:59:59"},
      {"2023-02-29T10:00:00+00", nullptr},
      {"2024-13-01T10:00:00+00", nullptr},
      {"2024-05-06T24:00:00Z", nullptr},
      {"1999-12-31T23:59:59Z", nullptr},
      {"2099-12-31T23:00:00-02", nullptr},
      {"2024-05-06T12:34:56+2", nullptr},
      {"2024-05-06T12:34:56+15", nullptr},
      {"2024-05-06T12:34:56 UTC", nullptr},
      {"yesterday", nullptr},
      {"", nullptr},
  };
  for (auto [stamp, expected] : cases) {
    auto local = LocalTimeFromIso8601(stamp);
    ASSERT_EQ(local.has_value(), expected != nullptr) << stamp;
    char text[32] = "";
    if (local) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &*local);
    EXPECT_STREQ(text, expected ? expected : "") << stamp;
  }
}

TEST(ModemMapping, DeliveryStatesBecomeReportStatuses) {
  const std::pair<std::optional<int64_t>, uint8_t> cases[] = {
      {0, cm::kReportDelivered},  {0x1F, cm::kReportDelivered},     {0x20, cm::kReportPending},
      {0x3F, cm::kReportPending}, {0x40, cm::kReportFailed},        {0x100, cm::kReportFailed},
      {-5, cm::kReportFailed},    {std::nullopt, cm::kReportFailed}};
  for (auto [deliveryState, status] : cases)
    EXPECT_EQ(ReportStatusOf(deliveryState), status) << deliveryState.value_or(-1);
}

TEST_F(InUtc, ReceivedTextsAndReportsReadAsTheProgramExpects) {
  auto text = Received({{"Number", std::string("+4930")},
                        {"SMSC", std::string("+4917")},
                        {"Text", std::string("\xE2\x82\xAC \xC3\xA9 \xE2\x9C\x93")},
                        {"Timestamp", std::string("2024-05-06T12:34:56+02")}});
  EXPECT_EQ(Describe(text), "0 +4930 +4917 2024-5-6 10:34:56 \x80 \xE9 ?");

  auto report = Received({{"PduType", int64_t{3}},
                          {"MessageReference", int64_t{0x1A5}},
                          {"DeliveryState", int64_t{0x20}},
                          {"Number", std::string("+4931")},
                          {"Timestamp", std::string("2024-05-06T12:00:00Z")},
                          {"DischargeTimestamp", std::string("2024-05-06T13:00:00Z")}});
  EXPECT_EQ(Describe(report), "0x300 +4931  2024-5-6 13:0:0 165/0");  // a pending report
}

TEST(ModemMapping, DataBecomesPictureBusinessCardOrUnknown) {
  PictureImage picture = testing::NumberedPicture();
  std::vector<uint8_t> air = {'0', 0, 0, 2, 'H', 'i', 2, 0x01, 0x00, 0x00, 72, 28, 1};
  air.insert(air.end(), picture.begin(), picture.end());
  auto pictureMessage = Received({{"Data", air}});  // no time stamp: the time is `now`
  EXPECT_EQ(Describe(pictureMessage), "0x1   2000-1-0 0:0:0 Hi");  // MRF_PICTURE
  EXPECT_EQ(pictureMessage.record->picture.value_or(PictureImage{}), picture);

  std::string card = BuildBusinessCard("Anna", "+4932");
  auto cardInData = Received({{"Data", std::vector<uint8_t>(card.begin(), card.end())}});
  auto cardAsText = Received({{"Text", card}});
  EXPECT_EQ(Describe(cardInData), "0x80   2000-1-0 0:0:0 " + card);  // MRF_BUSINESSCARD
  EXPECT_EQ(Describe(cardAsText), Describe(cardInData));

  air[11] = 27;  // a bitmap of another size is no picture message
  for (auto data : {air, std::vector<uint8_t>{0x06, 0x05, 0x04}, std::vector<uint8_t>{'0', 2, 1}})
    EXPECT_EQ(Received({{"Data", data}}).record->flags, MRF_UNKNOWNDATA);
}

TEST(ModemMapping, HostilePropertiesGiveAPlainMessage) {
  std::tm now{};
  strptime("2024-07-01", "%F", &now);
  for (const PropertyMap& sms :
       {PropertyMap{}, PropertyMap{{"Text", int64_t{5}},
                                   {"Number", std::vector<std::string>{"+1"}},
                                   {"Timestamp", std::string("2024-99-99T99:99:99Z")},
                                   {"PduType", std::string("3")},
                                   {"Data", std::string("x")}}}) {
    EXPECT_EQ(Describe(Received(sms, now)), "0   2024-7-1 0:0:0 ");
  }
  auto huge = BlockFromSms({{"Text", std::string(100000, 'x')}}, now);
  EXPECT_EQ(huge.size(), cm::kHeadSize + 0xFFFF);
  EXPECT_EQ(TextOf(*MessageRecordFromReceived(huge).record).size(), cm::kMaxReceivedTextLength);
}

TEST(ModemMapping, ASendTakesTheCentreOfItsBlockAndRefusesABadNumber) {
  auto block = [](uint32_t flags, const std::string& text, const std::string& centre) {
    auto record = testing::Message("+4930", text, {}, flags);
    auto bytes = BuildCardMessage(*record);
    SetSendRoute(bytes, centre, false);
    bytes.resize(cm::kHeadSize + ReadU16(&bytes[cm::kDataLengthOffset]));
    return bytes;
  };
  // The other arguments and the picture refused: modem_backend_test, through the bus.
  CreateArguments arguments;
  std::string card = BuildBusinessCard("Anna", "+4932");
  ASSERT_EQ(CreateArgumentsFor({false, "+4930", block(MRF_BUSINESSCARD, card, "+4918")}, {},
                               {0, 0, 0}, arguments),
            0u);
  EXPECT_EQ(arguments.text, card);
  EXPECT_EQ(arguments.smsc, "+4918");
  EXPECT_FALSE(arguments.deliveryReport);
  EXPECT_EQ(CreateArgumentsFor({false, "+49 30", block(0, "x", "")}, {}, {}, arguments),
            status::kBadDestination);
}

}  // namespace
}  // namespace zeph::cardservice
