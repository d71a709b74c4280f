#pragma once
// The program's persistent settings, reached through four helpers: integer
// and string values by section, sub-key and value name. The desktop program stores them in an
// INI file; tests use MemorySettingsStore.

#include <cstddef>
#include <string>
#include <string_view>

namespace zeph {

// Section 8 holds the program's own settings (empty sub-key); section 0,
// sub-key "Installation", the product installation's, of which the program
// only reads "BaseDirectory".
inline constexpr int kAppSettingsSection = 8;
inline constexpr int kInstallationSection = 0;
inline constexpr const char* kInstallationSubKey = "Installation";

inline constexpr const char* kOwnNameSetting = "OwnName";                      // string, 64 bytes
inline constexpr const char* kChatHoursSetting = "ChatSMSs";                   // int
inline constexpr const char* kChatOnTopSetting = "ChatOnTop";                  // int, 0 or 1
inline constexpr const char* kCanNotSendWarningSetting = "CanNotSendWarning";  // int, 0 or 1
// int, 0 or 1: a desktop notice when a message arrives while the program's
// window is not the active one.
inline constexpr const char* kNotifyOnArrivalSetting = "NotifyOnArrival";
inline constexpr const char* kBaseDirectorySetting = "BaseDirectory";  // string, 256 bytes

inline constexpr size_t kOwnNameBufferSize = 64;
inline constexpr size_t kBaseDirectoryBufferSize = 256;

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Non-zero when the value exists and was stored in `*value`; zero when it
  // does not, and `*value` is left as it was.
  [[nodiscard]] virtual int ReadSettingInt(int section, std::string_view subKey,
                                           std::string_view name, int* value) const = 0;
  [[nodiscard]] virtual int WriteSettingInt(int section, std::string_view subKey,
                                            std::string_view name, int value) = 0;

  // Non-zero when the value exists; `*value` then holds it cut to
  // `bufferSize` - 1 bytes, as a buffer of that size with its terminator
  // would. Zero when it does not exist, and `*value` is left as it was.
  [[nodiscard]] virtual int ReadSettingString(int section, std::string_view subKey,
                                              std::string_view name, std::string* value,
                                              size_t bufferSize) const = 0;
  [[nodiscard]] virtual int WriteSettingString(int section, std::string_view subKey,
                                               std::string_view name, std::string_view value) = 0;
};

// Writes the default of each of "OwnName" ("My Name"), "ChatSMSs"
// (1), "ChatOnTop" (0) and "NotifyOnArrival" (1), in this order, when
// reading it fails. "CanNotSendWarning" has no default: missing counts as 0.
// Returns non-zero when it wrote anything.
int WriteSettingDefaults(SettingsStore& settings);

// "NotifyOnArrival", read when a message arrives; missing counts as on.
bool NotifyOnArrival(const SettingsStore& settings);

}  // namespace zeph
