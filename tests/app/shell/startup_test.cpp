// The program as a user starts it: separate processes on the offscreen
// platform, each test with its own home, configuration and runtime folders.

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sstream>

#include "support/card_service_process.h"

namespace {

constexpr int kStartWaitMs = 15000;

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    for (const char* name : {"home", "config", "runtime"}) QDir(root.path()).mkpath(name);
    QFile::setPermissions(Folder("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
  // chosen. Its output and errors come in one channel.
  std::unique_ptr<QProcess> Start(const QStringList& arguments, bool display = true) {
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (display) {
      env.insert("QT_QPA_PLATFORM", "offscreen");
    } else {
      for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
    }
    env.insert("HOME", Folder("home"));
    env.insert("XDG_CONFIG_HOME", Folder("config"));
    if (noRuntimeDir) {  // the program falls back to a folder under $TMPDIR
      env.remove("XDG_RUNTIME_DIR");
      env.insert("TMPDIR", Folder("home"));
    } else {
      env.insert("XDG_RUNTIME_DIR", Folder("runtime"));
    }
    env.insert("ZEPH_IPC_DIR", ipcDir);
    env.remove("DBUS_SESSION_BUS_ADDRESS");  // its notices never reach the desktop's bus
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
  QString ipcDir = Folder("runtime");  // where the card service listens
  bool noRuntimeDir = false;
  std::vector<std::unique_ptr<QProcess>> running;
};

// Help, version, and a stop with no instance to stop, end at once and create nothing.
TEST_F(StartupTest, HelpVersionAndAStopWithNoInstanceEndAndCreateNothing) {
  QByteArray out;
  EXPECT_EQ(Run({"--help"}, &out), 0);
  EXPECT_TRUE(out.startsWith("Usage: zephsms"));
  EXPECT_EQ(Run({"--version"}, &out), 0);
  EXPECT_TRUE(out.startsWith("zephsms "));
  EXPECT_EQ(Run({"stop"}), 1);
  EXPECT_EQ(Run({"stop"}, nullptr, false), 1);
  EXPECT_TRUE(QDir(Folder("runtime")).isEmpty());
  EXPECT_TRUE(QDir(Folder("config")).isEmpty());
  EXPECT_FALSE(QDir(Folder("home")).exists(QStringLiteral("Documents")));
}

TEST_F(StartupTest, SecondStartEndsWithOneAndLeavesTheFirstRunningUntilStopped) {
  QProcess* first = StartFirst({"OUTBOX"});
  const QString settings = Folder("config") + QStringLiteral("/zephsms/zephsms.ini");
  EXPECT_TRUE(QTest::qWaitFor([&settings] { return QFile::exists(settings); }, kStartWaitMs));
  EXPECT_TRUE(QDir(Folder("home")).exists(QStringLiteral("Documents")));

  EXPECT_EQ(Run({"contacts"}), 1);
  EXPECT_EQ(Run({}), 1);
  EXPECT_EQ(Run({}, nullptr, false), 1);  // from a text console too
  EXPECT_FALSE(first->waitForFinished(300));

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

// The fallback runtime folder, which any local user could have made first.
TEST_F(StartupTest, AFallbackRuntimeFolderOpenToOthersStopsTheStart) {
  noRuntimeDir = true;
  const QString folder = Folder("home") + QStringLiteral("/zephsms-%1").arg(getuid());
  // Each reason for a refusal is the folder check's own; here one stops the start.
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther));
  QByteArray error;
  EXPECT_EQ(Run({}, &error), 1);
  EXPECT_TRUE(error.startsWith("zephsms: the folder " + QFile::encodeName(folder) +
                               " is open to other users"))
      << error.constData();
  EXPECT_EQ(error.count('\n'), 1);
  EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/ZephSMSAPP.lock")));
}

// A "stop" served while the start waits in a window of its own (here the error box of a
// message the program cannot read) ends the program once the start is done: the stop
// comes before the program's loop, which would otherwise never end.
TEST_F(StartupTest, AStopServedByAWindowOfTheStartEndsTheProgram) {
  zeph::testing::TempFolder sockets;
  zeph::testing::CardServiceProcess service(sockets, {"--demo"});
  service.Control(R"({"verb":"deliver","type":"unknown"})");
  ipcDir = QString::fromStdString(sockets.path().string());
  QProcess* program = StartFirst();
  EXPECT_EQ(Run({"stop"}), 1);
  ASSERT_TRUE(program->waitForFinished(kStartWaitMs));
  EXPECT_EQ(program->exitCode(), 0);
}

// The card service's log holds every request in answer order. A "stop" sent while the
// start still waits on the card ends the program once the start is done, where it used
// to be lost.
TEST_F(StartupTest, TheCardServiceSeesTheStartUpInItsOrderAndAStopDuringItIsKept) {
  zeph::testing::TempFolder sockets;
  zeph::testing::CardServiceProcess service(sockets, {"--demo", "-v"});
  service.Control(R"({"verb":"fault","delayMs":150})");
  ipcDir = QString::fromStdString(sockets.path().string());
  QProcess* program = StartFirst();
  EXPECT_EQ(service.Log().find("[SMS sync] 0x140006 ->"), std::string::npos);  // still starting
  EXPECT_EQ(Run({"stop"}), 1);
  ASSERT_TRUE(program->waitForFinished(kStartWaitMs));
  EXPECT_EQ(program->exitCode(), 0);

  std::vector<std::string> lines;
  std::istringstream log(service.Log());
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  const auto first = [&lines](const std::string& text) {
    const auto at = std::find_if(lines.begin(), lines.end(), [&text](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
    return static_cast<size_t>(at - lines.begin());
  };
  const auto countBefore = [&lines](const std::string& text, size_t end) {
    return std::count_if(
        lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(end),
        [&text](const std::string& line) { return line.find(text) != std::string::npos; });
  };
  const size_t firstCount = first("[SMS sync] 0x290009 ->");
  const size_t firstSwitch = first("[SMS sync] 0x140006 ->");
  ASSERT_LT(firstSwitch, lines.size());
  EXPECT_LT(first("[SMS sync] open"), first("[SMS ind] open"));
  // The Outbox's send thread opens the third pipe once the frame made it.
  EXPECT_LT(first("0x2A0000 ->"), first("[SMSSend sync] open"));
  EXPECT_LT(first("[SMSSend sync] open"), lines.size());
  EXPECT_LT(first("[SMS ind] register 0x2290000 to 0x22D0FFF"), firstCount);
  EXPECT_EQ(countBefore("0x2A0000 ->", firstCount), 1);
  EXPECT_EQ(countBefore("0x2A0000 ->", lines.size()), 1);
  // The first 0x140006 ends the Inbox's first refresh, whose pass took the
  // demo card's three messages.
  EXPECT_LT(firstCount, firstSwitch);
  EXPECT_EQ(countBefore("0x290008 ->", firstSwitch), 3);
}

}  // namespace
