#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "app/platform/ini_settings_store.h"

namespace zeph {
namespace {

class IniSettingsStoreTest : public ::testing::Test {
 protected:
  QString Path() const { return folder.filePath(QStringLiteral("zephsms/zephsms.ini")); }
  QByteArray FileBytes() const {
    QFile file(Path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void WriteFile(const QByteArray& bytes) const {
    QDir(folder.path()).mkpath(QStringLiteral("zephsms"));
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QTemporaryDir folder;
};

TEST_F(IniSettingsStoreTest, DefaultsOnEmptyStorageAndTheFileLayout) {
  {
    IniSettingsStore settings(Path());
    EXPECT_EQ(WriteSettingDefaults(settings), 1);
    EXPECT_EQ(WriteSettingDefaults(settings), 0);  // nothing missing the second time
    settings.WriteSettingString(0, "Installation", "BaseDirectory", "/opt/zeph");
  }
  const QByteArray file = FileBytes();
  EXPECT_TRUE(file.contains("[Section8]"));  // which values are defaults is core's
  EXPECT_TRUE(file.contains("[Section0]\nInstallation\\BaseDirectory=/opt/zeph\n"));

  IniSettingsStore again(Path());
  std::string name;
  EXPECT_NE(again.ReadSettingString(8, "", "OwnName", &name, 64), 0);
  EXPECT_EQ(name, "My Name");
  std::string base;
  EXPECT_EQ(again.ReadSettingString(8, "", "BaseDirectory", &base, 256), 0);
}

TEST_F(IniSettingsStoreTest, MissingValuesLeaveTheCallersValueAndTextsAreCut) {
  IniSettingsStore settings(Path());
  int number = 5;
  std::string text = "kept";
  EXPECT_EQ(settings.ReadSettingInt(8, "", "ChatOnTop", &number), 0);
  EXPECT_EQ(number, 5);
  EXPECT_EQ(settings.ReadSettingString(8, "", "OwnName", &text, 64), 0);
  EXPECT_EQ(text, "kept");
  settings.WriteSettingString(8, "", "OwnName", "Smith, John \xe9");  // a comma and a 1252 byte
  EXPECT_NE(settings.ReadSettingString(8, "", "OwnName", &text, 64), 0);
  EXPECT_EQ(text, "Smith, John \xe9");
  EXPECT_NE(settings.ReadSettingString(8, "", "OwnName", &text, 6), 0);
  EXPECT_EQ(text, "Smith");
}

TEST_F(IniSettingsStoreTest, GarbageFileGivesDefaults) {
  QByteArray junk;
  for (int i = 0; i < 4096; ++i) junk.append(static_cast<char>((i * 7919) % 256));
  junk.append("\n[Section8]\nChatSMSs=lots\nChatOnTop=\n");
  WriteFile(junk);
  IniSettingsStore settings(Path());
  int value = 9;
  EXPECT_EQ(settings.ReadSettingInt(8, "", "ChatSMSs", &value), 0);
  EXPECT_EQ(settings.ReadSettingInt(8, "", "ChatOnTop", &value), 0);
  EXPECT_EQ(value, 9);
  WriteSettingDefaults(settings);
  EXPECT_NE(settings.ReadSettingInt(8, "", "ChatSMSs", &value), 0);
  EXPECT_EQ(value, 1);
}

TEST_F(IniSettingsStoreTest, ReadOnlyFileStillReadsAndKeepsWritesForTheRun) {
  WriteFile("[Section8]\nChatSMSs=4\n");
  QFile::setPermissions(Path(), QFile::ReadOwner);
  IniSettingsStore settings(Path());
  int value = 0;
  EXPECT_NE(settings.ReadSettingInt(8, "", "ChatSMSs", &value), 0);
  EXPECT_EQ(value, 4);
  settings.WriteSettingInt(8, "", "ChatOnTop", 1);
  EXPECT_NE(settings.ReadSettingInt(8, "", "ChatOnTop", &value), 0);
  EXPECT_EQ(value, 1);
  if (geteuid() != 0) {  // root writes whatever the file's mode
    EXPECT_FALSE(FileBytes().contains("ChatOnTop"));
  }
}

}  // namespace
}  // namespace zeph
