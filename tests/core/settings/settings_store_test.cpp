#include "core/settings/memory_settings_store.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(SettingsStoreTest, MissingValuesLeaveTheCallersValueUntouched) {
  MemorySettingsStore settings;
  int number = 77;
  std::string text = "kept";
  EXPECT_EQ(settings.GetRegistrySubInt(8, "", "ChatSMSs", &number), 0);
  EXPECT_EQ(number, 77);
  EXPECT_EQ(settings.GetRegistrySubStr(8, "", "OwnName", &text, 64), 0);
  EXPECT_EQ(text, "kept");
  // A value of the other kind does not count as existing.
  settings.SetRegistrySubStr(8, "", "ChatSMSs", "3");
  EXPECT_EQ(settings.GetRegistrySubInt(8, "", "ChatSMSs", &number), 0);
  EXPECT_EQ(number, 77);
}

TEST(SettingsStoreTest, StringsAreCutToTheirBuffer) {
  MemorySettingsStore settings;
  settings.SetRegistrySubStr(8, "", "OwnName", std::string(100, 'n'));
  std::string name;
  ASSERT_NE(settings.GetRegistrySubStr(8, "", "OwnName", &name, 64), 0);
  EXPECT_EQ(name.size(), 63u);
}

TEST(SettingsStoreTest, SectionsAndSubKeysAreApart) {
  MemorySettingsStore settings;
  settings.SetRegistrySubStr(0, "Installation", "BaseDirectory", "/opt/zeph");
  std::string base;
  EXPECT_EQ(settings.GetRegistrySubStr(8, "", "BaseDirectory", &base, 256), 0);
  EXPECT_NE(settings.GetRegistrySubStr(0, "Installation", "BaseDirectory", &base, 256), 0);
  EXPECT_EQ(base, "/opt/zeph");
}

TEST(WriteSettingDefaultsTest, FirstStartWritesThreeDefaultsAndNoWarningSetting) {
  MemorySettingsStore settings;
  EXPECT_NE(WriteSettingDefaults(settings), 0);
  std::string name;
  int hours = -1;
  int onTop = -1;
  ASSERT_NE(settings.GetRegistrySubStr(8, "", "OwnName", &name, 64), 0);
  EXPECT_EQ(name, "My Name");
  ASSERT_NE(settings.GetRegistrySubInt(8, "", "ChatSMSs", &hours), 0);
  EXPECT_EQ(hours, 1);
  ASSERT_NE(settings.GetRegistrySubInt(8, "", "ChatOnTop", &onTop), 0);
  EXPECT_EQ(onTop, 0);
  EXPECT_FALSE(settings.Has(8, "", "CanNotSendWarning"));
}

TEST(WriteSettingDefaultsTest, ExistingValuesAreKept) {
  MemorySettingsStore settings;
  settings.SetRegistrySubStr(8, "", "OwnName", "Anna");
  settings.SetRegistrySubInt(8, "", "ChatSMSs", 0);
  settings.SetRegistrySubInt(8, "", "ChatOnTop", 1);
  EXPECT_EQ(WriteSettingDefaults(settings), 0);
  std::string name;
  settings.GetRegistrySubStr(8, "", "OwnName", &name, 64);
  EXPECT_EQ(name, "Anna");
}

}  // namespace
}  // namespace zeph
