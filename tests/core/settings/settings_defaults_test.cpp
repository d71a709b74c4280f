#include <gtest/gtest.h>

#include <tuple>

#include "core/settings/memory_settings_store.h"

namespace zeph {
namespace {

// "OwnName", "ChatSMSs", "ChatOnTop" and "NotifyOnArrival" as the store holds them.
std::tuple<std::string, int, int, int> Values(const MemorySettingsStore& settings) {
  std::tuple<std::string, int, int, int> values{"", -1, -1, -1};
  settings.ReadSettingString(kAppSettingsSection, "", kOwnNameSetting, &std::get<0>(values), 64);
  settings.ReadSettingInt(kAppSettingsSection, "", kChatHoursSetting, &std::get<1>(values));
  settings.ReadSettingInt(kAppSettingsSection, "", kChatOnTopSetting, &std::get<2>(values));
  settings.ReadSettingInt(kAppSettingsSection, "", kNotifyOnArrivalSetting, &std::get<3>(values));
  return values;
}

TEST(WriteSettingDefaultsTest, FirstStartWritesFourDefaultsAndLaterStartsKeepTheUsersValues) {
  MemorySettingsStore settings;
  EXPECT_TRUE(NotifyOnArrival(settings));  // missing counts as on
  EXPECT_NE(WriteSettingDefaults(settings), 0);
  EXPECT_EQ(Values(settings), std::tuple("My Name", 1, 0, 1));
  EXPECT_FALSE(settings.Has(kAppSettingsSection, "", kCanNotSendWarningSetting));

  settings.WriteSettingString(kAppSettingsSection, "", kOwnNameSetting, "Anna");
  settings.WriteSettingInt(kAppSettingsSection, "", kChatHoursSetting, 0);
  settings.WriteSettingInt(kAppSettingsSection, "", kChatOnTopSetting, 1);
  settings.WriteSettingInt(kAppSettingsSection, "", kNotifyOnArrivalSetting, 0);
  EXPECT_EQ(WriteSettingDefaults(settings), 0);
  EXPECT_EQ(Values(settings), std::tuple("Anna", 0, 1, 0));
  EXPECT_FALSE(NotifyOnArrival(settings));
}

}  // namespace
}  // namespace zeph
