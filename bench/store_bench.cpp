// Load and save of a large message store next to a plain read and write of
// the same bytes, in the same run. A store holds at most 65 535 records (its
// count is a u16), so the largest store is used: 65 535 records of about
// 150 bytes, close to 10 MB. Saving is measured without the flush to disk,
// which costs the same for both and would drown the program's own work.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/store/message_file.h"
#include "core/util/allocator_tuning.h"
#include "core/util/atomic_file.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

constexpr int kRecords = 65535;

std::string BenchFolder() {
  static const std::string folder = [] {
    auto path = std::filesystem::temp_directory_path() / "zeph-store-bench";
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return folder;
}

const MessageList& LargeStore() {
  static MessageList list;
  if (list.Count() == 0) {
    for (int i = 0; i < kRecords; ++i) {
      auto record = CreateMessageRecord();
      record->time = {2026, 12, 6, 5, 12, static_cast<uint16_t>(i % 60), 0, 0};
      record->flags = MRF_READ;
      record->reference = static_cast<uint8_t>(i);
      AddNumber(*record, "+44712345" + std::to_string(i));
      record->text = "Message number " + std::to_string(i) +
                     " of the benchmark store, long enough to be a typical text.";
      if (i % 10 == 0) {
        record->flags |= MRF_PICTURE;
        record->picture = PictureImage{};
      }
      list.Add(std::move(record));
    }
  }
  return list;
}

const std::string& StorePath() {
  static const std::string path = [] {
    std::string p = BenchFolder() + "/recsms.sms";
    if (SaveMessageFile(p, LargeStore()) == 0) std::abort();  // nothing to measure without it
    return p;
  }();
  return path;
}

using Clock = std::chrono::steady_clock;

uint64_t StoreSize() {
  return std::filesystem::file_size(StorePath());
}

void PlainWriteOnce(const std::vector<uint8_t>& bytes, const std::string& target) {
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// Seconds per plain read or write of the store's bytes, over a few rounds.
double PlainSeconds(bool write) {
  const auto bytes = *ReadWholeFile(StorePath());
  const std::string target = BenchFolder() + "/plain.out";
  constexpr int kRounds = 20;
  auto start = Clock::now();
  for (int i = 0; i < kRounds; ++i) {
    if (write) {
      PlainWriteOnce(bytes, target);
    } else {
      benchmark::DoNotOptimize(ReadFileBytes(StorePath()));
    }
  }
  return std::chrono::duration<double>(Clock::now() - start).count() / kRounds;
}

// MB/s of the measured operation and its share of the plain copy's MB/s,
// the plain copy timed in the same run.
void Report(benchmark::State& state, double seconds, double plainSeconds) {
  const double megabytes = static_cast<double>(StoreSize()) / 1e6;
  state.counters["MB/s"] = megabytes / seconds;
  state.counters["plain_MB/s"] = megabytes / plainSeconds;
  state.counters["share_of_plain"] = plainSeconds / seconds;
}

void BM_LoadMessageFile(benchmark::State& state) {
  MessageList list;
  double total = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    benchmark::DoNotOptimize(LoadMessageFile(StorePath(), list));
    total += std::chrono::duration<double>(Clock::now() - start).count();
  }
  Report(state, total / static_cast<double>(state.iterations()), PlainSeconds(false));
}

void BM_SaveMessageFile(benchmark::State& state) {
  const MessageList& list = LargeStore();
  const std::string target = BenchFolder() + "/saved.sms";
  double total = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    benchmark::DoNotOptimize(SaveMessageFile(target, list, Durability::kUnsynced));
    total += std::chrono::duration<double>(Clock::now() - start).count();
  }
  Report(state, total / static_cast<double>(state.iterations()), PlainSeconds(true));
}

BENCHMARK(BM_LoadMessageFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveMessageFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zeph

// The program's allocator setting applies here too, so that the figures are
// those of the program. Run with ZEPH_BENCH_DEFAULT_ALLOCATOR=1 to see the C
// library's defaults.
int main(int argc, char** argv) {
  if (!std::getenv("ZEPH_BENCH_DEFAULT_ALLOCATOR")) zeph::KeepFreedMemoryForReloads();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
