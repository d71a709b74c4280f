#include "core/settings/can_send.h"

#include <gtest/gtest.h>

#include "core/settings/memory_settings_store.h"
#include "support/fake_pipe.h"

namespace zeph {
namespace {

using testing::FakePipe;
using testing::ReplyFrame;

std::vector<uint8_t> U32Payload(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

int CanSendWithState(uint32_t state) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x0B0001, 0, U32Payload(state)));
  return CanSendNow(pipe);
}

TEST(CanSendNowTest, OnlyConnectedGsmOrGprsCanSend) {
  EXPECT_EQ(CanSendWithState(0x202), 1);
  EXPECT_EQ(CanSendWithState(0x402), 1);
  EXPECT_EQ(CanSendWithState(0x20F), 1);
  EXPECT_EQ(CanSendWithState(0x201), 0);
  EXPECT_EQ(CanSendWithState(0x302), 0);
  EXPECT_EQ(CanSendWithState(0x602), 0);
  FakePipe silent;  // no card service: the read fails and the state counts as 0
  EXPECT_EQ(CanSendNow(silent), 0);
}

TEST(CanSendNowTest, WarnsEachAttemptUntilTheUserTicksTheBox) {
  MemorySettingsStore settings;
  int warnings = 0;
  auto warn = [&] { ++warnings; };
  FakePipe pipe;  // never answers
  EXPECT_EQ(CanSendNow(pipe, settings, warn), 0);
  EXPECT_EQ(CanSendNow(pipe, settings, warn), 0);
  EXPECT_EQ(warnings, 2);
  settings.SetRegistrySubInt(kAppSettingsSection, "", kCanNotSendWarningSetting, 0);
  EXPECT_EQ(CanSendNow(pipe, settings, warn), 0);
  EXPECT_EQ(warnings, 3);
  settings.SetRegistrySubInt(kAppSettingsSection, "", kCanNotSendWarningSetting, 1);
  EXPECT_EQ(CanSendNow(pipe, settings, warn), 0);
  EXPECT_EQ(warnings, 3);
}

TEST(CanSendNowTest, NoWarningWhenSendingIsPossibleOrWithoutAnOwner) {
  MemorySettingsStore settings;
  int warnings = 0;
  FakePipe connected;
  connected.Reply(ReplyFrame(0x0B0001, 0, U32Payload(0x202)));
  EXPECT_EQ(CanSendNow(connected, settings, [&] { ++warnings; }), 1);
  FakePipe silent;
  EXPECT_EQ(CanSendNow(silent, settings, {}), 0);
  EXPECT_EQ(warnings, 0);
}

}  // namespace
}  // namespace zeph
