#include "app/platform/ini_settings_store.h"

#include <QSettings>
#include <QStandardPaths>

#include "core/util/cp1252.h"

namespace zeph {
namespace {

QString KeyOf(int section, std::string_view subKey, std::string_view name) {
  QString key = QStringLiteral("Section%1/").arg(section);
  if (!subKey.empty()) {
    key += QString::fromUtf8(subKey.data(), static_cast<qsizetype>(subKey.size())) + u'/';
  }
  return key + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

IniSettingsStore::IniSettingsStore(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::DefaultPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/zephsms/zephsms.ini");
}

int IniSettingsStore::ReadSettingInt(int section, std::string_view subKey, std::string_view name,
                                     int* value) const {
  const QVariant stored = settings_->value(KeyOf(section, subKey, name));
  if (!stored.isValid()) return 0;
  bool ok = false;
  const int number = stored.toString().trimmed().toInt(&ok);
  if (!ok) return 0;
  *value = number;
  return 1;
}

int IniSettingsStore::WriteSettingInt(int section, std::string_view subKey, std::string_view name,
                                      int value) {
  settings_->setValue(KeyOf(section, subKey, name), value);
  settings_->sync();
  return settings_->status() == QSettings::NoError ? 1 : 0;
}

int IniSettingsStore::ReadSettingString(int section, std::string_view subKey, std::string_view name,
                                        std::string* value, size_t bufferSize) const {
  const QVariant stored = settings_->value(KeyOf(section, subKey, name));
  if (!stored.isValid() || bufferSize == 0) return 0;
  // The INI format reads a text with commas as a list; it is still one text.
  const QString text = stored.typeId() == QMetaType::QStringList
                           ? stored.toStringList().join(QStringLiteral(", "))
                           : stored.toString();
  std::string bytes = Cp1252FromUtf8(text.toStdString());
  if (bytes.size() > bufferSize - 1) bytes.resize(bufferSize - 1);
  *value = std::move(bytes);
  return 1;
}

int IniSettingsStore::WriteSettingString(int section, std::string_view subKey,
                                         std::string_view name, std::string_view value) {
  settings_->setValue(KeyOf(section, subKey, name), QString::fromStdString(Utf8FromCp1252(value)));
  settings_->sync();
  return settings_->status() == QSettings::NoError ? 1 : 0;
}

}  // namespace zeph
