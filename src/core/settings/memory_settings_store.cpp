#include "core/settings/memory_settings_store.h"

namespace zeph {
namespace {

std::tuple<int, std::string, std::string> KeyOf(int section, std::string_view subKey,
                                                std::string_view name) {
  return {section, std::string(subKey), std::string(name)};
}

}  // namespace

int MemorySettingsStore::ReadSettingInt(int section, std::string_view subKey, std::string_view name,
                                        int* value) const {
  auto it = values_.find(KeyOf(section, subKey, name));
  if (it == values_.end() || !std::holds_alternative<int>(it->second)) return 0;
  *value = std::get<int>(it->second);
  return 1;
}

int MemorySettingsStore::WriteSettingInt(int section, std::string_view subKey,
                                         std::string_view name, int value) {
  values_[KeyOf(section, subKey, name)] = value;
  return 1;
}

int MemorySettingsStore::ReadSettingString(int section, std::string_view subKey,
                                           std::string_view name, std::string* value,
                                           size_t bufferSize) const {
  auto it = values_.find(KeyOf(section, subKey, name));
  if (it == values_.end() || !std::holds_alternative<std::string>(it->second) || bufferSize == 0) {
    return 0;
  }
  const std::string& stored = std::get<std::string>(it->second);
  *value = stored.substr(0, bufferSize - 1);
  return 1;
}

int MemorySettingsStore::WriteSettingString(int section, std::string_view subKey,
                                            std::string_view name, std::string_view value) {
  values_[KeyOf(section, subKey, name)] = std::string(value);
  return 1;
}

bool MemorySettingsStore::Has(int section, std::string_view subKey, std::string_view name) const {
  return values_.count(KeyOf(section, subKey, name)) != 0;
}

}  // namespace zeph
