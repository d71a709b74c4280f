// The engines with the real card service:
// - the send engine sending 1 000 queued messages, with a Sent messages file
//   of 10 000 records and delivery reports on: messages per second, the
//   time per message spent outside requests, and the share of the time
//   spent in requests. Run with the files flushed to disk as the program
//   does, and without the flush, which leaves the program's own work;
// - the saves one sent message costs at the sizes of the middle of that run,
//   flushed: Sent messages, Delivery reports and the Outbox once (a pass
//   saves an outcome with the next record's "Sending...") or twice (each
//   on its own, as at the end of a pass);
// - a reception pass taking 30 stored messages into an Inbox of 10 000.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

#include "core/devicelink/ipc_client.h"
#include "core/devicelink/wire_layout.h"
#include "core/folders/reception.h"
#include "core/folders/send_thread.h"
#include "core/store/app_lists.h"
#include "core/store/message_file.h"
#include "core/util/allocator_tuning.h"
#include "support/card_service_process.h"

namespace zeph {
namespace {

using Clock = std::chrono::steady_clock;
using testing::CardServiceProcess;
using testing::TempFolder;

// Adds the time spent inside requests (sending a frame and waiting for the
// reply) to a total.
class TimedPipe final : public Pipe {
 public:
  TimedPipe(std::unique_ptr<IpcPipe> inner, std::atomic<int64_t>& nanoseconds)
      : inner_(std::move(inner)), nanoseconds_(nanoseconds) {}
  uint32_t SendFrame(std::span<const uint8_t> frame) override {
    return Timed([&] { return inner_->SendFrame(frame); });
  }
  bool FrameWaiting() override { return inner_->FrameWaiting(); }
  uint32_t ReadFrame(std::span<const uint8_t>& frame) override {
    return Timed([&] { return inner_->ReadFrame(frame); });
  }
  void Cancel() override { inner_->Cancel(); }

 private:
  template <typename F>
  uint32_t Timed(F&& f) {
    const auto start = Clock::now();
    const uint32_t result = f();
    nanoseconds_ +=
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
    return result;
  }
  std::unique_ptr<IpcPipe> inner_;
  std::atomic<int64_t>& nanoseconds_;
};

std::unique_ptr<MessageRecord> Filler(int i, uint32_t flags) {
  auto record = CreateMessageRecord();
  record->time = {2026, 12, 6, 5, 12, 0, 0, 0};
  record->flags = flags;
  AddNumber(*record, "+4477009" + std::to_string(10000 + i));
  record->text = "Stored message number " + std::to_string(i) + ", a typical length of text.";
  return record;
}

IpcOptions OptionsFor(const TempFolder& folder) {
  IpcOptions options;
  options.socketDir = folder.path().string();
  return options;
}

constexpr int kSentRecords = 10000;
constexpr int kQueued = 1000;

void BM_SendThousandMessages(benchmark::State& state) {
  const Durability durability = state.range(0) ? Durability::kSynced : Durability::kUnsynced;
  for (auto _ : state) {
    state.PauseTiming();
    TempFolder folder;
    // Reports stay with the network once the card's store is full, which
    // changes nothing for the sender.
    CardServiceProcess service(folder);
    StorePaths paths = StorePaths::InFolder(folder.path().string());
    AppLists lists;
    SystemClock clock;
    for (int i = 0; i < kSentRecords; ++i) lists.sent.Add(Filler(i, MRF_OUTGOING | MRF_SENDING));
    if (SaveMessageFile(paths.sent, lists.sent) == 0) std::abort();  // nothing to measure
    for (int i = 0; i < kQueued; ++i) {
      auto record = Filler(i, MRF_OUTGOING | MRF_WAITING);
      record->reference = static_cast<uint8_t>(i % 255 + 1);
      lists.outbox.Add(std::move(record));
    }
    if (SaveMessageFile(paths.outbox, lists.outbox) == 0) std::abort();  // nothing to measure
    std::atomic<int64_t> requestNanoseconds{0};
    std::mutex done;
    SendThreadSetup setup{
        lists.outbox,
        paths.outbox,
        SendFiling{lists.sent, paths.sent, lists.reports, paths.reports, durability},
        clock,
        [&](uint32_t& result, PipeCanceller& canceller) -> std::unique_ptr<Pipe> {
          IpcOptions options = OptionsFor(folder);
          options.canceller = &canceller;
          std::unique_ptr<IpcPipe> pipe;
          result = IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kSendPipeName, pipe,
                                      options);
          if (result) return nullptr;
          return std::make_unique<TimedPipe>(std::move(pipe), requestNanoseconds);
        },
        {},
        std::chrono::milliseconds(1),
        std::chrono::milliseconds(15000)};
    SendThread engine(std::move(setup));
    state.ResumeTiming();

    const auto start = Clock::now();
    engine.Start();
    for (;;) {
      {
        ScopedLock hold(lists.outbox);
        if (lists.outbox.Count() == 0) break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.PauseTiming();
    engine.Stop();
    const double requestSeconds = static_cast<double>(requestNanoseconds.load()) / 1e9;
    state.counters["messages/s"] = kQueued / seconds;
    state.counters["ms_outside_requests"] = (seconds - requestSeconds) * 1000 / kQueued;
    state.counters["request_share"] = requestSeconds / seconds;
    state.ResumeTiming();
  }
}

void BM_SavesOfOneMessage(benchmark::State& state) {
  const bool outboxTwice = state.range(0) == 2;
  TempFolder folder;
  StorePaths paths = StorePaths::InFolder(folder.path().string());
  MessageList outbox, sent, reports;
  for (int i = 0; i < kSentRecords + kQueued / 2; ++i)
    sent.Add(Filler(i, MRF_OUTGOING | MRF_SENDING));
  for (int i = 0; i < kQueued / 2; ++i) {
    outbox.Add(Filler(i, MRF_OUTGOING | MRF_WAITING));
    reports.Add(Filler(i, MRF_OUTGOING | MRF_SENDING));
  }
  int flip = 0;
  for (auto _ : state) {
    // Every save changes a byte, as the engine's do, so none is skipped.
    ++flip;
    outbox.GetAt(0)->flags ^= MRF_SENDING;
    sent.GetAt(0)->reference = static_cast<uint8_t>(flip);
    reports.GetAt(0)->reference = static_cast<uint8_t>(flip);
    bool saved = SaveMessageFile(paths.outbox, outbox) != 0;
    saved = SaveMessageFile(paths.sent, sent) != 0 && saved;
    saved = SaveMessageFile(paths.reports, reports) != 0 && saved;
    if (outboxTwice) {
      outbox.GetAt(1)->flags ^= MRF_SENDING;
      saved = SaveMessageFile(paths.outbox, outbox) != 0 && saved;
    }
    if (!saved) std::abort();  // nothing to measure
  }
}

void BM_ReceiveThirtyIntoLargeInbox(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    TempFolder folder;
    CardServiceProcess service(folder);
    StorePaths paths = StorePaths::InFolder(folder.path().string());
    AppLists lists;
    for (int i = 0; i < 10000; ++i) lists.inbox.Add(Filler(i, MRF_READ));
    for (int i = 0; i < 30; ++i) {
      service.Control(R"({"verb":"deliver","type":"text","text":"Arriving message )" +
                      std::to_string(i) + R"(","from":"+447700900123"})");
    }
    std::unique_ptr<IpcPipe> pipe;
    if (IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kSyncPipeName, pipe,
                           OptionsFor(folder)) != 0) {
      std::abort();  // no card service: nothing to measure
    }
    std::atomic<int64_t> requestNanoseconds{0};
    TimedPipe timed(std::move(pipe), requestNanoseconds);
    ReceptionTargets targets{lists.inbox,   paths.inbox, lists.reports,
                             paths.reports, lists.chat,  std::nullopt};
    state.ResumeTiming();

    const auto start = Clock::now();
    const int taken = FetchNewMessages(timed, targets, {});
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.counters["taken"] = taken;
    state.counters["request_share"] =
        static_cast<double>(requestNanoseconds.load()) / 1e9 / seconds;
  }
}

BENCHMARK(BM_SendThousandMessages)
    ->ArgName("flushed")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SavesOfOneMessage)
    ->ArgName("outbox_saves")
    ->Arg(1)
    ->Arg(2)
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ReceiveThirtyIntoLargeInbox)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  zeph::KeepFreedMemoryForReloads();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
