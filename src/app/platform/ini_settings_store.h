#pragma once
// The program's settings in an INI file under the user's configuration
// folder ($XDG_CONFIG_HOME/zephsms/zephsms.ini, ~/.config by default).
//
// Mapping: section n is the INI group [Section<n>]; a non-empty sub-key is
// a prefix of the value name inside that group, which the INI format
// writes with a backslash; an empty sub-key adds nothing. So the program's
// own settings are OwnName, ChatSMSs, ChatOnTop and CanNotSendWarning in
// [Section8], and the installation's base directory is
// Installation\BaseDirectory in [Section0]. Texts are stored as UTF-8 and
// handed to the program as Windows-1252. An integer that does not read as
// one counts as missing, so a damaged file gives the defaults; a file that
// cannot be written keeps the values only for this run.

#include <QString>
#include <memory>

#include "core/settings/settings_store.h"

class QSettings;

namespace zeph {

class IniSettingsStore final : public SettingsStore {
 public:
  explicit IniSettingsStore(const QString& path);
  ~IniSettingsStore() override;

  // The file the program uses.
  static QString DefaultPath();

  int ReadSettingInt(int section, std::string_view subKey, std::string_view name,
                     int* value) const override;
  int WriteSettingInt(int section, std::string_view subKey, std::string_view name,
                      int value) override;
  int ReadSettingString(int section, std::string_view subKey, std::string_view name,
                        std::string* value, size_t bufferSize) const override;
  int WriteSettingString(int section, std::string_view subKey, std::string_view name,
                         std::string_view value) override;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace zeph
