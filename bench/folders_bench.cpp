// The message folders with full stores, offscreen, against the real card
// service:
// - the bare load of an Inbox file of N records, the floor under everything
//   the window does with it;
// - switching from Contacts to an Inbox of N records: the module's reload
//   (the reception pass between the two loads included) and the rebuild of
//   its rows, then the frame's repaint;
// - start-up to the first painted frame with N records in the Inbox and N
//   in Sent messages: the store loaded, the five modules made, the start
//   module refreshed and the frame painted once. N = 0 is the empty start
//   the full one is compared with.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/base/asker.h"
#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/platform/device_card_link.h"
#include "app/shell/main_frame.h"
#include "bench_support/full_folder.h"
#include "core/folders/clock.h"
#include "core/settings/memory_settings_store.h"
#include "core/store/message_file.h"
#include "core/util/allocator_tuning.h"
#include "support/card_service_process.h"

namespace zeph {
namespace {

// Nobody answers: a benchmark that met a question would say so in its
// counters rather than block.
class SilentAsker final : public Asker {
 public:
  bool AskYesNo(QWidget*, const QString&, const QString&) override {
    ++questions;
    return false;
  }
  void ShowError(int) override { ++questions; }
  void ShowFailure(const QString&) override { ++questions; }
  int questions = 0;
};

// Counts the frame's paint events.
class PaintCounter final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
  int paints = 0;
};

// A card service, a store folder holding `count` Inbox and Sent records,
// and the services a frame is made with.
class Bench {
 public:
  explicit Bench(int count) : service_(folder_) {
    paths_ = StorePaths::InFolder(folder_.path().string());
    bench::WriteFullFolder(paths_.inbox, count, MRF_READ | MRF_LISTED);
    bench::WriteFullFolder(paths_.sent, count, MRF_OUTGOING | MRF_SENDING);
    IpcOptions options;
    options.socketDir = folder_.path().string();
    link_ = std::make_unique<DeviceCardLink>(options);
    link_->OpenPipes();
  }
  ~Bench() { link_->ClosePipes(); }

  // A frame on a freshly made store, shown, after its first paint.
  std::unique_ptr<MainFrame> StartFrame(int startModule) {
    store_ = std::make_unique<ProgramStore>(paths_);  // the last run's store is gone by now
    const ModuleServices services{store_.get(), link_.get(), &settings_,
                                  &asker_,      &clock_,     nullptr};  // the frame's actions
    auto frame = std::make_unique<MainFrame>(services, FrameSetup{}, startModule);
    PaintCounter counter;
    frame->installEventFilter(&counter);
    frame->show();
    while (counter.paints == 0) QApplication::processEvents(QEventLoop::AllEvents, 5);
    frame->removeEventFilter(&counter);
    return frame;
  }

  void EndRun() { store_.reset(); }
  const StorePaths& Paths() const { return paths_; }
  int Questions() const { return asker_.questions; }

 private:
  testing::TempFolder folder_;
  testing::CardServiceProcess service_;
  StorePaths paths_;
  std::unique_ptr<DeviceCardLink> link_;
  std::unique_ptr<ProgramStore> store_;
  MemorySettingsStore settings_;
  SilentAsker asker_;
  const SystemClock clock_;
};

void BM_LoadInboxFile(benchmark::State& state) {
  Bench bench(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    MessageList inbox;
    benchmark::DoNotOptimize(LoadMessageFile(bench.Paths().inbox, inbox));
  }
}
BENCHMARK(BM_LoadInboxFile)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SwitchToInbox(benchmark::State& state) {
  Bench bench(static_cast<int>(state.range(0)));
  auto frame = bench.StartFrame(4);  // Contacts on screen
  for (auto _ : state) {
    frame->OpenModule(0);
    QApplication::processEvents();
    state.PauseTiming();
    frame->OpenModule(4);  // the Inbox's hidden refresh saves its file
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["questions"] = bench.Questions();
}
BENCHMARK(BM_SwitchToInbox)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_StartToFirstPaint(benchmark::State& state) {
  Bench bench(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto frame = bench.StartFrame(0);
    state.PauseTiming();
    frame.reset();
    bench.EndRun();  // the lists of a full store take a while to free
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["questions"] = bench.Questions();
}
BENCHMARK(BM_StartToFirstPaint)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  zeph::KeepFreedMemoryForReloads();  // as the program does at its start
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
