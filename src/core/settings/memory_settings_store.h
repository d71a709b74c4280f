#pragma once
// Settings kept in memory, for tests and for a program whose settings file
// cannot be used.

#include <map>
#include <string>
#include <tuple>
#include <variant>

#include "core/settings/settings_store.h"

namespace zeph {

class MemorySettingsStore final : public SettingsStore {
 public:
  int ReadSettingInt(int section, std::string_view subKey, std::string_view name,
                     int* value) const override;
  int WriteSettingInt(int section, std::string_view subKey, std::string_view name,
                      int value) override;
  int ReadSettingString(int section, std::string_view subKey, std::string_view name,
                        std::string* value, size_t bufferSize) const override;
  int WriteSettingString(int section, std::string_view subKey, std::string_view name,
                         std::string_view value) override;

  bool Has(int section, std::string_view subKey, std::string_view name) const;

 private:
  using Key = std::tuple<int, std::string, std::string>;
  std::map<Key, std::variant<int, std::string>> values_;
};

}  // namespace zeph
