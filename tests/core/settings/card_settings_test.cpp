// The card settings against the real card service: what one pipe writes,
// another (the desktop program's) reads at its next request; a refused write
// stops there; the control socket's `show` read leniently.

#include "core/settings/card_settings.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/devicelink/control_link.h"
#include "support/card_service_process.h"

namespace zeph::testing {
namespace {

CardSettings Changed(CardSettings settings) {
  settings.centre.number = "+4917000999";
  settings.sendOptions = {1, 0, 1};
  settings.longMessages = !settings.longMessages;
  settings.ownNumber = "+4917012345";
  return settings;
}

// The four parts a write changes, to compare at once.
auto Parts(const CardSettings& s) {
  return std::tuple(s.centre.number, s.sendOptions, s.longMessages, s.ownNumber);
}

TEST(CardSettings, WrittenValuesReachAnotherPipeAtItsNextRequest) {
  TempFolder folder;
  CardServiceProcess service(folder, {"--demo"});
  auto settingsPipe = OpenServicePipe(folder);
  auto programPipe = OpenServicePipe(folder);
  CardSettings current, seen;
  ASSERT_TRUE(ReadCardSettings(*settingsPipe, current).ok());
  ASSERT_TRUE(ReadCardSettings(*programPipe, seen).ok());
  const CardSettings wanted = Changed(current);
  ASSERT_TRUE(WriteCardSettings(*settingsPipe, current, wanted).ok());
  ASSERT_TRUE(ReadCardSettings(*programPipe, seen).ok());
  EXPECT_EQ(Parts(current), Parts(wanted));
  EXPECT_EQ(Parts(seen), Parts(wanted));
  EXPECT_EQ(ReadLongMessageFlag(*programPipe) != 0, wanted.longMessages);  // as the editor asks

  SimUsage usage;
  ASSERT_EQ(ReadSimUsage(*programPipe, usage), 0u);
  // The demo card's contacts.
  EXPECT_EQ(std::tuple(usage.used, usage.capacity, usage.nameLimit > 0),
            std::tuple(8u, 250u, true));
}

TEST(CardSettings, ARefusedWriteStopsThereAndKeepsWhatWasWrittenBefore) {
  struct Case {
    uint32_t refusedRequest;
    CardSettingPart part;
  };
  for (const Case& c :
       {Case{0x290004, CardSettingPart::kCentre}, Case{0x290006, CardSettingPart::kSendOptions},
        Case{0x0B0002, CardSettingPart::kLongMessages},
        Case{0x2A0008, CardSettingPart::kOwnNumber}}) {
    SCOPED_TRACE(c.refusedRequest);
    TempFolder folder;
    CardServiceProcess service(folder);
    auto pipe = OpenServicePipe(folder);
    CardSettings before, current;
    ASSERT_TRUE(ReadCardSettings(*pipe, before).ok());
    current = before;
    service.Control(R"({"verb":"fault","errorReply":)" + std::to_string(c.refusedRequest) + "}");
    const CardSettings wanted = Changed(before);
    CardSettingsResult written = WriteCardSettings(*pipe, current, wanted);
    EXPECT_EQ(std::tuple(written.failed, written.result != 0), std::tuple(c.part, true));
    CardSettings card;
    ASSERT_TRUE(ReadCardSettings(*pipe, card).ok());
    // The parts before the refused one were written, in order.
    const auto expectedFor = [&](CardSettingPart part) { return c.part > part ? wanted : before; };
    EXPECT_EQ(Parts(card), std::tuple(expectedFor(CardSettingPart::kCentre).centre.number,
                                      expectedFor(CardSettingPart::kSendOptions).sendOptions,
                                      expectedFor(CardSettingPart::kLongMessages).longMessages,
                                      before.ownNumber));
    // `current` holds what the card now has, so that Apply can be tried again.
    EXPECT_EQ(Parts(current), Parts(card));
    EXPECT_TRUE(WriteCardSettings(*pipe, current, wanted).ok());
  }
}

TEST(CardSettings, ConnectionKinds) {
  const std::pair<uint32_t, ConnectionKind> cases[] = {
      {0, ConnectionKind::kNone},      {0x201, ConnectionKind::kSearching},
      {0x202, ConnectionKind::kGsm},   {0x402, ConnectionKind::kGprs},
      {0x802, ConnectionKind::kOther}, {0x400, ConnectionKind::kSearching}};
  for (auto [state, kind] : cases) EXPECT_EQ(ConnectionKindOf(state), kind) << state;
}

TEST(ControlLink, ShowRepliesAreReadLenientlyAndTheLiveServiceAnswers) {
  ServiceStatus status;
  for (const char* refused : {"", "[1]", "{\"ok\":false}", "{\"ok\":1}", "not json"})
    EXPECT_FALSE(ParseShowReply(refused, status)) << refused;
  ASSERT_TRUE(ParseShowReply(
      R"({"ok":true,"backend":"modem","connectionState":514,"modem":{"manufacturer":"Acme",
          "model":"X1","operator":"Zeph Net","registration":"roaming","signalQuality":1e9,
          "note":7}})",
      status));
  // A float is no percentage, and a note that is no string is none.
  EXPECT_EQ(std::tuple(status.backend, status.connectionState, status.hasModem, status.manufacturer,
                       status.model, status.operatorName, status.registration, status.signalQuality,
                       status.note),
            std::tuple("modem", 0x202u, true, "Acme", "X1", "Zeph Net", "roaming", 0, ""));
  ASSERT_TRUE(
      ParseShowReply(R"({"ok":true,"modem":{"signalQuality":250},"connectionState":-1})", status));
  EXPECT_EQ(status.signalQuality, 100);
  EXPECT_EQ(status.connectionState, 0u);

  TempFolder folder;
  EXPECT_FALSE(ReadServiceStatus(folder.path().string(), status));
  CardServiceProcess service(folder);
  ASSERT_TRUE(ReadServiceStatus(folder.path().string(), status));
  EXPECT_EQ(status.backend, "emulator");
  EXPECT_FALSE(status.hasModem);
  EXPECT_NE(status.connectionState, 0u);
}

}  // namespace
}  // namespace zeph::testing
