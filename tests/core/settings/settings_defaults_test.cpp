#include <gtest/gtest.h>

#include "core/settings/memory_settings_store.h"

namespace zeph {
namespace {

struct Defaults {
  std::string name;
  int hours = -1;
  int onTop = -1;
};

Defaults Read(const MemorySettingsStore& settings) {
  Defaults d;
  settings.GetRegistrySubStr(kAppSettingsSection, "", kOwnNameSetting, &d.name, 64);
  settings.GetRegistrySubInt(kAppSettingsSection, "", kChatHoursSetting, &d.hours);
  settings.GetRegistrySubInt(kAppSettingsSection, "", kChatOnTopSetting, &d.onTop);
  return d;
}

TEST(WriteSettingDefaultsTest, FirstStartWritesThreeDefaultsAndLaterStartsKeepTheUsersValues) {
  MemorySettingsStore settings;
  EXPECT_NE(WriteSettingDefaults(settings), 0);
  Defaults first = Read(settings);
  EXPECT_EQ(first.name, "My Name");
  EXPECT_EQ(first.hours, 1);
  EXPECT_EQ(first.onTop, 0);
  EXPECT_FALSE(settings.Has(kAppSettingsSection, "", kCanNotSendWarningSetting));

  settings.SetRegistrySubStr(kAppSettingsSection, "", kOwnNameSetting, "Anna");
  settings.SetRegistrySubInt(kAppSettingsSection, "", kChatHoursSetting, 0);
  settings.SetRegistrySubInt(kAppSettingsSection, "", kChatOnTopSetting, 1);
  EXPECT_EQ(WriteSettingDefaults(settings), 0);
  Defaults kept = Read(settings);
  EXPECT_EQ(kept.name, "Anna");
  EXPECT_EQ(kept.hours, 0);
  EXPECT_EQ(kept.onTop, 1);
}

}  // namespace
}  // namespace zeph
