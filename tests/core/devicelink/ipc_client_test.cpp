// The IPC client against the real card service: opening, time-outs, reconnection, indications.

#include "core/devicelink/ipc_client.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/devicelink/device_requests.h"
#include "core/devicelink/request_framing.h"
#include "core/devicelink/result_codes.h"
#include "core/util/byte_order.h"
#include "core/util/failure_log.h"
#include "support/card_service_process.h"
#include "support/thread_state.h"

namespace zeph {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using zeph::testing::CardServiceProcess;
using zeph::testing::TempFolder;

constexpr uint32_t kFastGraceMs = 200;

std::unique_ptr<IpcPipe> Open(const TempFolder& folder, const char* name = wire::kSyncPipeName,
                              uint32_t* result = nullptr) {
  return zeph::testing::OpenServicePipe(folder, name, result, kFastGraceMs);
}

// Waits up to `limit` for a frame to be readable on `pipe`.
bool WaitForFrame(Pipe& pipe, std::chrono::milliseconds limit = 3000ms) {
  auto end = Clock::now() + limit;
  while (Clock::now() < end) {
    if (IPCGetReadEvent(pipe).IsSignalled()) return true;
    std::this_thread::sleep_for(5ms);
  }
  return false;
}

// A private folder with the card service running in it.
class IpcClient : public ::testing::Test {
 protected:
  TempFolder folder_;
  CardServiceProcess service_{folder_};
};

TEST_F(IpcClient, WithoutAServiceRequestsFailAndAFailedFirstOpenStaysFailed) {
  service_.Stop();
  uint32_t result = 0;
  auto pipe = Open(folder_, wire::kSyncPipeName, &result);
  EXPECT_EQ(result, kIpcNotConnected);
  ASSERT_NE(pipe, nullptr);
  EXPECT_EQ(ReadConnectionState(*pipe), 0u);
  // A pipe whose first open failed stays unusable, even once a service runs.
  service_.Start(folder_);
  EXPECT_EQ(SimpleRequest(*pipe, kRequestHasValue, wire::kReadCardParamId, 0x5001, nullptr),
            kIpcNotConnected);
  EXPECT_FALSE(IPCGetReadEvent(*pipe).IsSignalled());
  EXPECT_EQ(ReadConnectionState(*Open(folder_)), 0x202u);
}

TEST_F(IpcClient, AStalledServiceTimesOutWithinTheBoundAndItsLateReplyIsDrained) {
  service_.Control(R"({"verb":"fault","delayMs":1000})");
  auto pipe = Open(folder_);
  ASSERT_TRUE(pipe->connected());

  uint32_t value = 0;
  auto start = Clock::now();
  EXPECT_EQ(SimpleRequest(*pipe, kRequestHasValue | kRequestWantsValue, wire::kReadCardParamId,
                          0x5001, &value, 100),
            kIpcTimedOut);
  auto waited = Clock::now() - start;
  EXPECT_GE(waited, 100ms + std::chrono::milliseconds(kFastGraceMs) - 10ms);
  EXPECT_TRUE(pipe->connected());  // a time-out keeps the connection

  service_.Control(R"({"verb":"fault","delayMs":0})");
  ASSERT_TRUE(WaitForFrame(*pipe));  // the late reply to the first request
  uint32_t version = 0;
  EXPECT_EQ(ReadCardParam4(*pipe, version), 0u);
  EXPECT_EQ(version, 0x10000u);  // the drained frame was not taken as this reply
}

TEST_F(IpcClient, FindsARestartedServiceAgainAndRegistersItsRangesAgain) {
  auto sync = Open(folder_);
  auto ind = Open(folder_, wire::kIndicationPipeName);
  EXPECT_EQ(IPCRegisterIndications(*ind, wire::kIndicationFirst, wire::kIndicationLast), 0u);
  EXPECT_EQ(ReadConnectionState(*sync), 0x202u);

  service_.Stop();
  EXPECT_EQ(ReadConnectionState(*sync), 0u);  // the service is gone
  EXPECT_FALSE(sync->connected());
  service_.Start(folder_);
  EXPECT_EQ(ReadConnectionState(*sync), 0x202u);
  EXPECT_TRUE(sync->connected());

  // The old connection's end is a failed read; the next event test connects with its range.
  std::span<const uint8_t> frame;
  EXPECT_TRUE(IPCGetReadEvent(*ind).IsSignalled());
  EXPECT_EQ(IPCGetMessageReadBuffer(*ind, frame), kIpcPeerClosed);
  EXPECT_FALSE(IPCGetReadEvent(*ind).IsSignalled());
  EXPECT_TRUE(ind->connected());
  service_.Control(R"({"verb":"deliver","text":"back"})");
  ASSERT_TRUE(WaitForFrame(*ind));
  ASSERT_EQ(IPCGetMessageReadBuffer(*ind, frame), 0u);
  EXPECT_EQ(ReadU32(&frame[4]), wire::kMessageArrivedId);
}

// A socket folder others could have made is refused at the first open and at a reconnection.
TEST_F(IpcClient, DoesNotConnectThroughAFolderThatIsNotPrivate) {
  TempFolder elsewhere;
  const std::string link = elsewhere.File("link");
  std::filesystem::create_directory_symlink(folder_.path(), link);
  auto open = [](const std::string& dir, uint32_t& result) {
    IpcOptions options;
    options.socketDir = dir;
    options.privateFolderOnly = true;
    std::unique_ptr<IpcPipe> pipe;
    result =
        IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kSyncPipeName, pipe, options);
    return pipe;
  };
  static std::string logged;
  SetFailureSink([](std::string_view line) { logged = line; });
  uint32_t result = 0;
  open(link, result);
  SetFailureSink(nullptr);
  EXPECT_EQ(result, kIpcUnsafeFolder);
  EXPECT_EQ(logged,
            "not connecting to the card service: the folder " + link + " is a symbolic link");
  auto pipe = open(folder_.path().string(), result);
  ASSERT_EQ(result, 0u);
  EXPECT_EQ(ReadConnectionState(*pipe), 0x202u);
  service_.Stop();
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0755), 0);
  service_.Start(folder_);
  EXPECT_EQ(ReadConnectionState(*pipe), 0u);  // refused at the reconnection
  EXPECT_FALSE(pipe->connected());
}

TEST_F(IpcClient, RefusesOtherPipeNamesAndAClosedConnectionFailsOneRequest) {
  uint32_t result = 0;  // the three names are opened by the other tests
  Open(folder_, "SMS other", &result);
  EXPECT_EQ(result, kIpcRefused);

  auto pipe = Open(folder_);
  service_.Control(R"({"verb":"fault","closeNext":true})");
  uint32_t version = 0;
  EXPECT_EQ(ReadCardParam4(*pipe, version), kIpcPeerClosed);
  EXPECT_EQ(ReadCardParam4(*pipe, version), 0u);
  EXPECT_EQ(version, 0x10000u);
  EXPECT_EQ(IPCCloseHandle(pipe), 0u);
  EXPECT_EQ(pipe, nullptr);

  service_.Control(R"({"verb":"fault","refuseOpens":true})");
  Open(folder_, wire::kSyncPipeName, &result);
  EXPECT_EQ(result, kIpcRefused);
}

TEST_F(IpcClient, CancelEndsABlockedRequestPromptly) {
  service_.Control(R"({"verb":"fault","delayMs":10000})");
  auto pipe = Open(folder_, wire::kSendPipeName);
  std::atomic<uint32_t> result{0};
  std::atomic<bool> done{false};
  std::atomic<pid_t> senderId{0};
  std::thread sender([&] {
    senderId = gettid();
    result = SimpleRequest(*pipe, kRequestHasValue, wire::kReadCardParamId, 0x5001, nullptr,
                           wire::kSendTimeoutMs);
    done = true;
  });
  // Blocked in the request: the answer comes 10 s late, the cancel at once.
  while (!done && !(senderId != 0 && zeph::testing::ThreadSleeps(senderId)))
    std::this_thread::yield();
  EXPECT_FALSE(done);
  pipe->Cancel();
  sender.join();
  EXPECT_EQ(result, kIpcCancelled);
  uint32_t version = 0;
  EXPECT_EQ(ReadCardParam4(*pipe, version), kIpcCancelled);
  pipe->Cancel();  // again: harmless
}

TEST_F(IpcClient, IndicationsComeOnlyToConnectionsWhoseRangeHoldsThem) {
  auto all = Open(folder_, wire::kIndicationPipeName);
  auto other = Open(folder_, wire::kIndicationPipeName);
  auto none = Open(folder_, wire::kIndicationPipeName);
  ASSERT_EQ(IPCRegisterIndications(*all, wire::kIndicationFirst, wire::kIndicationLast), 0u);
  ASSERT_EQ(IPCRegisterIndications(*other, 0x2290003, 0x2290005), 0u);
  ReadConnectionState(*all);  // the registrations have reached the service before the delivery
  ReadConnectionState(*other);

  service_.Control(R"({"verb":"deliver","text":"one"})");
  service_.Control(R"({"verb":"deliver","text":"two"})");
  ASSERT_TRUE(WaitForFrame(*all));
  std::span<const uint8_t> frame;
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(IPCGetMessageReadBuffer(*all, frame), 0u);
    EXPECT_EQ(frame.size(), 16u);
    EXPECT_EQ(ReadU32(&frame[4]), wire::kMessageArrivedId);
  }
  // Both read: the service, one loop, wrote every connection's indications of both by then.
  for (IpcPipe* pipe : {other.get(), none.get(), all.get()})
    EXPECT_FALSE(IPCGetReadEvent(*pipe).IsSignalled()) << (pipe == all.get() ? "all" : "not all");
}

}  // namespace
}  // namespace zeph
