// The program as a user starts it: separate processes on the offscreen
// platform, each test with its own home, configuration and runtime folders.

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <csignal>

namespace {

constexpr int kStartWaitMs = 15000;

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    for (const char* name : {"home", "config", "runtime"}) QDir(root.path()).mkpath(name);
    QFile::setPermissions(Folder("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  ~StartupTest() override {
    for (auto& process : running) {
      if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished();
      }
    }
  }

  QString Folder(const char* name) const { return root.filePath(QString::fromLatin1(name)); }

  // `display` false: a text console, with no display and no platform
  // chosen.
  std::unique_ptr<QProcess> Start(const QStringList& arguments, bool display = true) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (display) {
      env.insert("QT_QPA_PLATFORM", "offscreen");
    } else {
      for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
    }
    env.insert("HOME", Folder("home"));
    env.insert("XDG_CONFIG_HOME", Folder("config"));
    env.insert("XDG_RUNTIME_DIR", Folder("runtime"));
    env.insert("ZEPH_IPC_DIR", Folder("runtime"));
    process->setProcessEnvironment(env);
    process->start(QStringLiteral(ZEPHSMS_PATH), arguments);
    process->waitForStarted();
    return process;
  }

  int Run(const QStringList& arguments, QByteArray* out = nullptr, bool display = true) {
    auto process = Start(arguments, display);
    if (!process->waitForFinished(kStartWaitMs)) return -1;
    if (out != nullptr) *out = process->readAllStandardOutput();
    return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -2;
  }

  // Starts an instance and waits until its frame answers on its socket (a
  // socket file alone may be the one a killed instance left).
  QProcess* StartFirst(const QStringList& arguments = {}) {
    running.push_back(Start(arguments));
    const QString socket = Folder("runtime") + QStringLiteral("/ZephSMSMain.sock");
    bool serving = false;
    for (int i = 0; i < kStartWaitMs / 50 && !serving; ++i) {
      QLocalSocket probe;
      probe.connectToServer(socket);
      serving = probe.waitForConnected(50);
      if (!serving) QTest::qWait(50);
    }
    EXPECT_TRUE(serving);
    return running.back().get();
  }

  QTemporaryDir root;
  std::vector<std::unique_ptr<QProcess>> running;
};

TEST_F(StartupTest, StopWithNoInstanceEndsWithOneAndCreatesNothing) {
  EXPECT_EQ(Run({"stop"}), 1);
  EXPECT_EQ(Run({"stop"}, nullptr, false), 1);
  EXPECT_TRUE(QDir(Folder("runtime")).isEmpty());
  EXPECT_TRUE(QDir(Folder("config")).isEmpty());
  EXPECT_FALSE(QDir(Folder("home")).exists(QStringLiteral("Documents")));
}

TEST_F(StartupTest, SecondStartEndsWithOneAndLeavesTheFirstRunningUntilStopped) {
  QProcess* first = StartFirst({"OUTBOX"});
  EXPECT_TRUE(QFile::exists(Folder("config") + QStringLiteral("/zephsms/zephsms.ini")));
  EXPECT_TRUE(QDir(Folder("home")).exists(QStringLiteral("Documents")));

  EXPECT_EQ(Run({"contacts"}), 1);
  EXPECT_EQ(Run({}), 1);
  EXPECT_EQ(Run({}, nullptr, false), 1);  // from a text console too
  EXPECT_FALSE(first->waitForFinished(300));
  EXPECT_EQ(first->state(), QProcess::Running);

  // "stop" ends the running instance cleanly, also from a text console.
  EXPECT_EQ(Run({"STOP"}, nullptr, false), 1);
  ASSERT_TRUE(first->waitForFinished(kStartWaitMs));
  EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first->exitCode(), 0);
  EXPECT_FALSE(QFile::exists(Folder("runtime") + QStringLiteral("/ZephSMSAPP.lock")));
}

// A damaged settings file is the settings store's case (ini_settings_store_test).
TEST_F(StartupTest, LockOfACrashedInstanceDoesNotStopTheStart) {
  QProcess* crashed = StartFirst();
  ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
  crashed->waitForFinished();
  ASSERT_TRUE(QFile::exists(Folder("runtime") + QStringLiteral("/ZephSMSAPP.lock")));
  QProcess* second = StartFirst();
  EXPECT_FALSE(second->waitForFinished(300));
  EXPECT_EQ(Run({"stop"}), 1);
  ASSERT_TRUE(second->waitForFinished(kStartWaitMs));
  EXPECT_EQ(second->exitCode(), 0);
}

TEST_F(StartupTest, HelpAndVersionPrintAndEnd) {
  QByteArray out;
  EXPECT_EQ(Run({"--help"}, &out), 0);
  EXPECT_TRUE(out.startsWith("Usage: zephsms"));
  EXPECT_TRUE(out.contains("statusreport"));
  EXPECT_EQ(Run({"--version"}, &out), 0);
  EXPECT_TRUE(out.startsWith("zephsms "));
  EXPECT_TRUE(QDir(Folder("runtime")).isEmpty());
}

}  // namespace
