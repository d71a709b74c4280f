// The card service on a modem, against the ModemManager mock of the tests
// on a private bus:
// - a count on the sync pipe while a send that takes 3 s is in flight on
//   the send pipe, and the same count with nothing in flight: the service
//   never waits on the bus (mean, 99th percentile and worst count);
// - a reception pass taking 30 messages from the modem into an empty Inbox.
// The mock is python3-dbusmock: most of each figure is its answering.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "core/codecs/card_message.h"
#include "core/devicelink/device_requests.h"
#include "core/devicelink/ipc_client.h"
#include "core/folders/reception.h"
#include "core/store/app_lists.h"
#include "support/card_service_process.h"
#include "support/modem_mock.h"

namespace zeph {
namespace {

using Clock = std::chrono::steady_clock;

std::unique_ptr<IpcPipe> Open(const testing::TempFolder& folder, const char* name) {
  IpcOptions options;
  options.socketDir = folder.path().string();
  std::unique_ptr<IpcPipe> pipe;
  if (IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, name, pipe, options) != 0) return {};
  return pipe;
}

// The mock, the service on it, and a sync pipe, once the modem is connected.
struct ModemService {
  testing::TempFolder folder;
  testing::ModemMock mock{folder};
  testing::CardServiceProcess service{folder, {"--modem"}};
  std::unique_ptr<IpcPipe> sync = Open(folder, wire::kSyncPipeName);
  ModemService() {
    while (sync && ReadConnectionState(*sync) != 0x202)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
};

void BM_CountOnTheSyncPipe(benchmark::State& state) {
  const bool sending = state.range(0) != 0;
  ModemService modem;
  auto sendPipe = Open(modem.folder, wire::kSendPipeName);
  std::atomic<bool> sent = false;
  std::thread sender;
  if (sending) {
    modem.mock.SetSend(3000, 0);
    sender = std::thread([&] {
      auto record = CreateMessageRecord();
      record->text = "A send that takes three seconds";
      uint8_t reference = 0;
      (void)SendShortMessage(*sendPipe, false, "+4930", BuildCardMessage(*record), reference);
      sent = true;
    });
    while (modem.mock.Created().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::vector<double> ms;
  for (auto _ : state) {
    const auto start = Clock::now();
    StoredMessageCounts counts;
    if (ReadStoredMessageCounts(*modem.sync, counts) != 0) state.SkipWithError("count failed");
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(took);
    ms.push_back(took * 1000);
  }
  std::sort(ms.begin(), ms.end());
  state.counters["p99_ms"] = ms[ms.size() * 99 / 100];
  state.counters["max_ms"] = ms.back();
  state.counters["send_in_flight_throughout"] = sending && !sent;
  if (sender.joinable()) sender.join();
}
BENCHMARK(BM_CountOnTheSyncPipe)
    ->ArgName("send_in_flight")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(500)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_ReceptionPassOf30Messages(benchmark::State& state) {
  ModemService modem;
  StorePaths paths = StorePaths::InFolder(modem.folder.path().string());
  for (auto _ : state) {
    state.PauseTiming();
    AppLists lists;
    std::filesystem::remove(paths.inbox);
    for (int i = 0; i < 30; ++i)
      modem.mock.Deliver(
          {{"Number", 's', "+4930"},
           {"Text", 's',
            "Stored message number " + std::to_string(i) + ", a typical length of text."}});
    state.ResumeTiming();
    ReceptionTargets targets{lists.inbox,   paths.inbox, lists.reports,
                             paths.reports, lists.chat,  std::nullopt};
    if (FetchNewMessages(*modem.sync, targets, {}) != 30) state.SkipWithError("not 30 taken");
  }
}
BENCHMARK(BM_ReceptionPassOf30Messages)
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zeph

BENCHMARK_MAIN();
