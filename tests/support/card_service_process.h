#pragma once
// The real zeph-cardservice in a test's temporary folder, and its control socket.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "core/devicelink/control_link.h"
#include "core/devicelink/ipc_client.h"
#include "core/devicelink/wire_layout.h"
#include "support/temp_folder.h"

namespace zeph::testing {

// Connects a stream socket to `path`; -1 when nobody listens.
inline int ConnectUnix(const std::string& path) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), std::min(path.size(), sizeof address.sun_path - 1));
  if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
    return fd;
  if (fd >= 0) close(fd);
  return -1;
}

// Pipe options for the service in `folder`, with waits short enough for tests.
inline IpcOptions ServicePipeOptions(const TempFolder& folder, uint32_t readGraceMs = 500) {
  IpcOptions options;
  options.socketDir = folder.path().string();
  options.openTimeoutMs = 2000;
  options.readGraceMs = readGraceMs;
  return options;
}

// Opens pipe `name` to the service in `folder`; its result to `result`, else it must succeed.
inline std::unique_ptr<IpcPipe> OpenServicePipe(const TempFolder& folder,
                                                const char* name = wire::kSyncPipeName,
                                                uint32_t* result = nullptr,
                                                uint32_t readGraceMs = 500) {
  std::unique_ptr<IpcPipe> pipe;
  const uint32_t code = IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, name, pipe,
                                           ServicePipeOptions(folder, readGraceMs));
  if (result)
    *result = code;
  else
    EXPECT_EQ(code, 0u) << name;
  return pipe;
}

// Starts `args` as a child that dies with the test, its stderr to `logPath` if given; its pid.
inline pid_t SpawnChild(std::vector<std::string> args, const std::string& logPath = "") {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  int log =
      logPath.empty() ? -1 : open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (log >= 0) dup2(log, 2);
  // No child outliving a test that crashed (ctest would wait for the pipe it inherited).
  int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null >= 0) dup2(null, 1);
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

// Ends the child `pid` with `signal` (by default at once, as a crash would) and reaps it.
inline void KillChild(pid_t& pid, int signal = SIGKILL) {
  if (pid <= 0) return;
  kill(pid, signal);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

class CardServiceProcess {
 public:
  // Starts the service with its sockets and state in `folder`; waits until it accepts.
  explicit CardServiceProcess(const TempFolder& folder, std::vector<std::string> extra = {})
      : dir_(folder.path().string()) {
    Start(folder, std::move(extra));
  }
  ~CardServiceProcess() { Stop(); }
  CardServiceProcess(const CardServiceProcess&) = delete;
  CardServiceProcess& operator=(const CardServiceProcess&) = delete;

  void Start(const TempFolder& folder, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {ZEPH_CARDSERVICE_BINARY, "--socket-dir", dir_, "--state",
                                     folder.File("cardservice.json")};
    args.insert(args.end(), {"--report-delay", "50", "--echo-delay", "50"});
    args.insert(args.end(), extra.begin(), extra.end());
    logPath_ = folder.File("service.log");
    pid_ = SpawnChild(std::move(args), logPath_);
    int fd = -1;
    for (int i = 0; i < 500 && (fd = ConnectUnix(dir_ + "/TavikZeph.ctl")) < 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (fd >= 0) close(fd);
  }

  // Ends the service (SIGTERM) and waits for it.
  void Stop() { KillChild(pid_, SIGTERM); }

  // Ends the service at once, as a crash would: no state saved, no socket closed.
  void Kill() { KillChild(pid_); }

  // Freezes the service (SIGSTOP) or lets it go on: its sockets stay open, its answers wait.
  void Freeze(bool frozen) const {
    if (pid_ > 0) kill(pid_, frozen ? SIGSTOP : SIGCONT);
  }

  // What the service wrote to stderr so far.
  std::string Log() const {
    std::ifstream in(logPath_);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // One control command (a JSON object) and its reply line.
  std::string Control(const std::string& json) const {
    return ExchangeControlLine(dir_, json).reply;
  }

 private:
  std::string dir_;
  std::string logPath_;
  pid_t pid_ = -1;
};

}  // namespace zeph::testing
