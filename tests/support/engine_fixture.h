#pragma once
// The engines against the real card service in a temporary folder, with a fake clock.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "core/devicelink/ipc_client.h"
#include "core/devicelink/wire_layout.h"
#include "core/folders/clock.h"
#include "core/folders/outbox_queue.h"
#include "core/folders/send_thread.h"
#include "core/store/app_lists.h"
#include "core/store/message_file.h"
#include "core/util/byte_order.h"
#include "support/card_service_process.h"
#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph::testing {

class FakeClock final : public Clock {
 public:
  uint32_t TickCount() const override { return ticks_.load(); }
  RecordTime LocalTime() const override { return {2026, 12, 6, 5, 12, 0, 0, 0}; }
  void Advance(uint32_t ms) { ticks_ += ms; }

 private:
  std::atomic<uint32_t> ticks_{100000};
};

// Passes everything to the real pipe, noting each request's id and fake-clock time.
class RecordingPipe final : public Pipe {
 public:
  struct Sent {
    uint32_t messageId;
    uint32_t tick;
  };
  RecordingPipe(std::unique_ptr<IpcPipe> inner, const Clock& clock, std::vector<Sent>& log,
                std::mutex& logMutex)
      : inner_(std::move(inner)), clock_(clock), log_(log), logMutex_(logMutex) {}

  uint32_t SendFrame(std::span<const uint8_t> frame) override {
    if (frame.size() >= 8) {
      std::lock_guard hold(logMutex_);
      log_.push_back({ReadU32(frame.data() + 4), clock_.TickCount()});
    }
    return inner_->SendFrame(frame);
  }
  bool FrameWaiting() override { return inner_->FrameWaiting(); }
  uint32_t ReadFrame(std::span<const uint8_t>& frame) override { return inner_->ReadFrame(frame); }
  void Cancel() override { inner_->Cancel(); }

 private:
  std::unique_ptr<IpcPipe> inner_;
  const Clock& clock_;
  std::vector<Sent>& log_;
  std::mutex& logMutex_;
};

class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() : service_(folder_), paths_(StorePaths::InFolder(folder_.path().string())) {}
  ~EngineFixture() override { StopEngine(); }

  // Queues a message waiting to be sent, as the composer does.
  void Queue(const std::string& text, uint32_t kind = MRF_OUTGOING) {
    QueueOutboxRecord(lists_.outbox, paths_.outbox,
                      Message("+447700900123", text, clock_.LocalTime(), kind | MRF_WAITING));
  }
  // What the card service sent, oldest first.
  nlohmann::json SentLog() {
    return nlohmann::json::parse(service_.Control(R"({"verb":"sent-log"})"))["messages"];
  }

  // The engine, made at its first use (again after a reset), started by StartEngine.
  SendThread& Engine() {
    if (engine_) return *engine_;
    SendThreadSetup setup{
        lists_.outbox,
        paths_.outbox,
        SendFiling{lists_.sent, paths_.sent, lists_.reports, paths_.reports},
        clock_,
        [this](uint32_t& result, PipeCanceller& canceller) -> std::unique_ptr<Pipe> {
          opening_ = true;
          IpcOptions options = ServicePipeOptions(folder_);
          options.openTimeoutMs = sendPipeOpenTimeoutMs_;
          options.canceller = &canceller;
          std::unique_ptr<IpcPipe> pipe;
          result = IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kSendPipeName, pipe,
                                      options);
          if (result != 0) return nullptr;
          return std::make_unique<RecordingPipe>(std::move(pipe), clock_, sentLog_, sentLogMutex_);
        },
        [] {},
        std::chrono::milliseconds(5),
        stopGrace_,
    };
    engine_ = std::make_unique<SendThread>(std::move(setup));
    return *engine_;
  }
  void StartEngine() { Engine().Start(); }

  void StopEngine() {
    if (engine_) engine_->Stop();
  }

  // Waits (real time) until `done` holds, up to `limit`.
  static bool WaitUntil(const std::function<bool()>& done,
                        std::chrono::milliseconds limit = std::chrono::milliseconds(10000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
  }

  // Loads `path` into `list` under its lock, as a folder's refresh does.
  static void Reload(LockedMessageList& list, const std::string& path) {
    ScopedLock hold(list);
    LoadMessageFile(path, list);
  }

  int OutboxCount() { return CountLocked(lists_.outbox); }

  uint32_t OutboxState(int index) {
    const auto record = RecordLocked(lists_.outbox, index);
    return record ? record->flags & MRF_OUTBOX_STATES : 0;
  }

  // The texts of a shared list's records, in list order.
  static std::vector<std::string> Texts(LockedMessageList& list) {
    ScopedLock hold(list);
    return TextsOf(list);
  }

  // The fake-clock times of the requests `messageId` made so far.
  std::vector<uint32_t> SendTimes(uint32_t messageId = wire::kSendMessageId) {
    std::lock_guard hold(sentLogMutex_);
    std::vector<uint32_t> times;
    for (const auto& sent : sentLog_)
      if (sent.messageId == messageId) times.push_back(sent.tick);
    return times;
  }

  // Until the engine asked for the connection `count` more times (at each pass, each send).
  bool WaitForConnectionChecks(size_t count) {
    const size_t until = SendTimes(wire::kReadCardParamId).size() + count;
    return WaitUntil([&] { return SendTimes(wire::kReadCardParamId).size() >= until; });
  }

  TempFolder folder_;
  CardServiceProcess service_;
  StorePaths paths_;
  AppLists lists_;
  FakeClock clock_;
  std::mutex sentLogMutex_;
  std::vector<RecordingPipe::Sent> sentLog_;
  std::unique_ptr<SendThread> engine_;
  std::atomic<bool> opening_{false};  // the engine's open of its pipe began
  std::chrono::milliseconds stopGrace_{2000};
  uint32_t sendPipeOpenTimeoutMs_ = 2000;
};

}  // namespace zeph::testing
