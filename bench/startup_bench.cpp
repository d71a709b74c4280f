// The program's whole start, as a user sees it: from a new process to the
// first painted frame, with N records in the Inbox and N in Sent messages,
// against the real card service, offscreen. Each run is a new process (this
// program again, told to start once), so it pays what a start pays: loading
// the libraries, the application object, the platform and its fonts, the
// store loaded, the five modules made, the Inbox refreshed, the frame
// painted. What a start does after the frame is shown and before the first
// paint (the settings defaults, the chat and channel wiring) costs the same
// with any store and is left out, which only makes the comparison stricter.
// N = 0 is the empty start the full one is compared with. The counters give
// the child's own CPU time; the time column is the wall time to the paint.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <QApplication>
#include <QEvent>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/base/asker.h"
#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/platform/device_card_link.h"
#include "app/platform/ini_settings_store.h"
#include "app/shell/main_frame.h"
#include "bench_support/full_folder.h"
#include "core/folders/clock.h"
#include "core/store/message_file.h"
#include "core/util/allocator_tuning.h"
#include "support/card_service_process.h"

namespace zeph {
namespace {

using Clock = std::chrono::steady_clock;

// Nobody answers: a start that met a question would hang on it otherwise.
class SilentAsker final : public Asker {
 public:
  bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
  void ShowError(int) override {}
  void ShowFailure(const QString&) override {}
};

class FirstPaint final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return QObject::eventFilter(watched, event);
  }
  bool painted = false;
};

double CpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

constexpr char kStartOnce[] = "--start-once";

// The child: the program's start up to its first paint; the CPU time it
// took goes to `report`. It ends without tearing anything down.
[[noreturn]] void StartOnce(const std::string& folder, int report) {
  const StorePaths paths = StorePaths::InFolder(folder);
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null >= 0) dup2(null, 2);  // the offscreen platform's notes
  int argc = 1;
  char name[] = "zephsms";  // as the program is called
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  KeepFreedMemoryForReloads();
  QApplication::setWindowIcon(IconForResource(IconId::kApplication));

  IniSettingsStore settings(QString::fromStdString(folder + "/zephsms.ini"));
  IpcOptions options;
  options.socketDir = folder;
  DeviceCardLink link(options);
  link.OpenPipes();
  ProgramStore store(paths);
  SilentAsker asker;
  const SystemClock clock;
  const ModuleServices services{&store, &link,  &settings,
                                &asker, &clock, /*actions: the frame's own*/ nullptr};
  MainFrame frame(services, FrameSetup{}, 0);
  FirstPaint paint;
  frame.installEventFilter(&paint);
  frame.show();
  while (!paint.painted) QApplication::processEvents(QEventLoop::AllEvents, 5);

  const double cpu = CpuMilliseconds();
  const bool told = write(report, &cpu, sizeof cpu) == static_cast<ssize_t>(sizeof cpu);
  _exit(told ? 0 : 1);
}

void BM_ProgramStartToFirstPaint(benchmark::State& state) {
  testing::TempFolder folder;
  testing::CardServiceProcess service(folder);
  const StorePaths paths = StorePaths::InFolder(folder.path().string());
  const int count = static_cast<int>(state.range(0));
  bench::WriteFullFolder(paths.inbox, count, MRF_READ | MRF_LISTED);
  bench::WriteFullFolder(paths.sent, count, MRF_OUTGOING | MRF_SENDING);

  double cpuTotal = 0;
  for (auto _ : state) {
    int report[2];
    if (pipe(report) != 0) std::abort();  // nothing to measure with
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
      close(report[0]);
      const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
      const std::string fd = std::to_string(report[1]);
      const std::string where = folder.path().string();
      execl(self.c_str(), self.c_str(), kStartOnce, where.c_str(), fd.c_str(), nullptr);
      _exit(127);
    }
    close(report[1]);
    double cpu = 0;
    const bool heard = read(report[0], &cpu, sizeof cpu) == static_cast<ssize_t>(sizeof cpu);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    close(report[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!heard || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the started program did not reach its first paint");
      break;
    }
    cpuTotal += cpu;
  }
  if (state.iterations() > 0) {
    state.counters["cpu_ms"] = cpuTotal / static_cast<double>(state.iterations());
  }
}
BENCHMARK(BM_ProgramStartToFirstPaint)
    ->Arg(0)
    ->Arg(10000)
    ->UseManualTime()
    ->MinTime(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc == 4 && std::string(argv[1]) == zeph::kStartOnce) {
    zeph::StartOnce(argv[2], std::atoi(argv[3]));
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
