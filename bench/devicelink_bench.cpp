// One SimpleRequest round trip (read card parameter 0x5001: a 20-byte
// request, a 24-byte reply) through the IPC library and zeph-cardservice,
// next to a bare Unix-socket ping-pong of the same sizes in the same run:
// a second process that reads 20 bytes and writes 24 back. The ratio of the
// two is printed at the end; the aim is at most 2.

#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>

#include "core/devicelink/device_requests.h"
#include "core/devicelink/ipc_client.h"
#include "core/devicelink/request_framing.h"

namespace zeph {
namespace {

constexpr size_t kRequestSize = 20;
constexpr size_t kReplySize = 24;

// zeph-cardservice in a temporary folder for the whole run.
class Service {
 public:
  Service() {
    char pattern[] = "/tmp/zeph-bench-XXXXXX";
    dir_ = mkdtemp(pattern);
    pid_ = fork();
    if (pid_ == 0) {
      std::string state = dir_ + "/state.json";
      execl(ZEPH_CARDSERVICE_BINARY, ZEPH_CARDSERVICE_BINARY, "--socket-dir", dir_.c_str(),
            "--state", state.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    IpcOptions options;
    options.socketDir = dir_;
    for (int i = 0; i < 500 && !pipe_; ++i) {
      std::unique_ptr<IpcPipe> pipe;
      if (IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kSyncPipeName, pipe,
                             options) == 0) {
        pipe_ = std::move(pipe);
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
  }
  ~Service() {
    pipe_.reset();
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    std::remove((dir_ + "/state.json").c_str());
    rmdir(dir_.c_str());
  }
  IpcPipe* pipe() { return pipe_.get(); }

 private:
  std::string dir_;
  pid_t pid_ = -1;
  std::unique_ptr<IpcPipe> pipe_;
};

bool ReadExactly(int fd, uint8_t* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = read(fd, buffer + done, size - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void BM_SimpleRequestThroughCardService(benchmark::State& state) {
  static Service service;
  if (!service.pipe()) {
    state.SkipWithError("zeph-cardservice did not start");
    return;
  }
  uint32_t value = 0;
  for (auto _ : state) {
    uint32_t result = SimpleRequest(*service.pipe(), kRequestHasValue | kRequestWantsValue,
                                    wire::kReadCardParamId, wire::kParamConnectionState, &value);
    if (result != 0) {
      state.SkipWithError("request failed");
      break;
    }
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_SimpleRequestThroughCardService)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_BareSocketPingPong(benchmark::State& state) {
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) {
    state.SkipWithError("socketpair failed");
    return;
  }
  // The echo runs in a process of its own, as the card service does, so
  // both round trips cross between two processes.
  pid_t echo = fork();
  if (echo == 0) {
    close(fds[0]);
    uint8_t request[kRequestSize];
    uint8_t reply[kReplySize] = {};
    while (ReadExactly(fds[1], request, sizeof request))
      if (write(fds[1], reply, sizeof reply) != static_cast<ssize_t>(sizeof reply)) break;
    _exit(0);
  }
  close(fds[1]);
  uint8_t request[kRequestSize] = {};
  uint8_t reply[kReplySize];
  for (auto _ : state) {
    if (write(fds[0], request, sizeof request) != static_cast<ssize_t>(sizeof request) ||
        !ReadExactly(fds[0], reply, sizeof reply)) {
      state.SkipWithError("ping-pong failed");
      break;
    }
    benchmark::DoNotOptimize(reply);
  }
  close(fds[0]);
  waitpid(echo, nullptr, 0);
}
BENCHMARK(BM_BareSocketPingPong)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Prints the usual table, then the ratio of the two round trips.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs)
      if (run.error_message.empty() && run.run_type == Run::RT_Iteration)
        microseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    auto library = microseconds_.find("BM_SimpleRequestThroughCardService/real_time");
    auto bare = microseconds_.find("BM_BareSocketPingPong/real_time");
    if (library != microseconds_.end() && bare != microseconds_.end() && bare->second > 0)
      std::printf("SimpleRequest %.1f us, bare ping-pong %.1f us, ratio %.2f\n", library->second,
                  bare->second, library->second / bare->second);
  }

 private:
  std::map<std::string, double> microseconds_;
};

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  zeph::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
