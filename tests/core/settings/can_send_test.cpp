#include "core/settings/can_send.h"

#include <gtest/gtest.h>

#include "core/settings/memory_settings_store.h"
#include "support/fake_pipe.h"

namespace zeph {
namespace {

using testing::FakePipe;
using testing::ReplyFrame;

FakePipe PipeInState(uint32_t state) {
  FakePipe pipe;
  pipe.Reply(ReplyFrame(0x0B0001, 0,
                        {static_cast<uint8_t>(state), static_cast<uint8_t>(state >> 8),
                         static_cast<uint8_t>(state >> 16), 0}));
  return pipe;
}

// Sending needs a GSM (0x2xx) or GPRS (0x4xx) connection in state 2 or more.
TEST(CanSendNowTest, OnlyConnectedGsmOrGprsCanSend) {
  for (auto [state, can] : {std::pair{0x202u, 1},
                            {0x402u, 1},
                            {0x20Fu, 1},
                            {0x201u, 0},
                            {0x302u, 0},
                            {0x602u, 0},
                            {0x1202u, 0}}) {
    FakePipe pipe = PipeInState(state);
    EXPECT_EQ(CanSendNow(pipe), can) << std::hex << state;
  }
  FakePipe silent;  // no card service: the read fails and the state counts as 0
  EXPECT_EQ(CanSendNow(silent), 0);
}

// A warning each attempt, none once the box is ticked, none when connected: the app's
// can-send check test. Here: a setting of 0 warns as a missing one does, and no owner is no call.
TEST(CanSendNowTest, ASettingOfZeroWarnsAndAMissingOwnerIsNotCalled) {
  MemorySettingsStore settings;
  int warnings = 0;
  FakePipe pipe;  // never answers
  EXPECT_EQ(CanSendNow(pipe, settings, {}), 0);
  settings.WriteSettingInt(kAppSettingsSection, "", kCanNotSendWarningSetting, 0);
  EXPECT_EQ(CanSendNow(pipe, settings, [&] { ++warnings; }), 0);
  EXPECT_EQ(warnings, 1);
}

}  // namespace
}  // namespace zeph
