#include "core/resources/string_table.h"
#include "core/settings/settings_store.h"

namespace zeph {

int WriteSettingDefaults(SettingsStore& settings) {
  int wrote = 0;
  std::string ownName;
  if (!settings.ReadSettingString(kAppSettingsSection, "", kOwnNameSetting, &ownName,
                                  kOwnNameBufferSize)) {
    if (settings.WriteSettingString(kAppSettingsSection, "", kOwnNameSetting, LoadString(29))) {
      wrote = 1;
    }
  }
  int value = 0;
  if (!settings.ReadSettingInt(kAppSettingsSection, "", kChatHoursSetting, &value)) {
    if (settings.WriteSettingInt(kAppSettingsSection, "", kChatHoursSetting, 1)) wrote = 1;
  }
  if (!settings.ReadSettingInt(kAppSettingsSection, "", kChatOnTopSetting, &value)) {
    if (settings.WriteSettingInt(kAppSettingsSection, "", kChatOnTopSetting, 0)) wrote = 1;
  }
  if (!settings.ReadSettingInt(kAppSettingsSection, "", kNotifyOnArrivalSetting, &value)) {
    if (settings.WriteSettingInt(kAppSettingsSection, "", kNotifyOnArrivalSetting, 1)) wrote = 1;
  }
  return wrote;
}

bool NotifyOnArrival(const SettingsStore& settings) {
  int value = 1;
  static_cast<void>(
      settings.ReadSettingInt(kAppSettingsSection, "", kNotifyOnArrivalSetting, &value));
  return value != 0;
}

}  // namespace zeph
