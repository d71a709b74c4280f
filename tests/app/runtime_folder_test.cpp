// Without $XDG_RUNTIME_DIR the program keeps its lock and socket in a
// folder under the temporary folder, which any local user could have made
// first. It refuses to start from such a folder.

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int kWaitMs = 15000;

struct Outcome {
  int exitCode = -1;
  QByteArray error;
};

Outcome RunWithTemporaryFolder(const QString& temporary, const QString& home) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("XDG_RUNTIME_DIR");
  env.insert("TMPDIR", temporary);
  env.insert("HOME", home);
  env.insert("XDG_CONFIG_HOME", home);
  env.insert("ZEPH_IPC_DIR", home);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(ZEPHSMS_PATH), {});
  if (!process.waitForFinished(kWaitMs)) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  return {process.exitCode(), process.readAllStandardError()};
}

TEST(RuntimeFolderTest, AFallbackFolderNotPrivateToTheUserStopsTheStart) {
  QTemporaryDir temporary;
  QTemporaryDir home;
  const QString folder = temporary.filePath(QStringLiteral("zephsms-%1").arg(getuid()));
  struct Case {
    const char* what;
    const char* reason;
  };
  for (const Case c :
       {Case{"link", "is a symbolic link"}, Case{"open", "is open to other users"}}) {
    QFile::remove(folder);
    QDir(folder).removeRecursively();
    if (QByteArray(c.what) == "link") {
      ASSERT_TRUE(QFile::link(home.path(), folder));
    } else {
      ASSERT_TRUE(QDir().mkpath(folder));
      ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::ExeOther));
    }
    const Outcome outcome = RunWithTemporaryFolder(temporary.path(), home.path());
    EXPECT_EQ(outcome.exitCode, 1) << c.what;
    const QByteArray expected = "zephsms: the folder " + QFile::encodeName(folder) + " " + c.reason;
    EXPECT_TRUE(outcome.error.startsWith(expected)) << c.what << ": " << outcome.error.constData();
    EXPECT_EQ(outcome.error.count('\n'), 1) << c.what;
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/ZephSMSAPP.lock"))) << c.what;
  }
}

}  // namespace
