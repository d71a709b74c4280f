#include "core/devicelink/request_framing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "core/devicelink/result_codes.h"
#include "support/fake_pipe.h"

namespace zeph {
namespace {

using ::testing::ElementsAreArray;
using zeph::testing::FakePipe;
using zeph::testing::Frame;
using zeph::testing::ReplyFrame;

TEST(SimpleRequest, StoresTheReplyValueOnlyOnSuccess) {
  FakePipe pipe;
  uint32_t out = 77;
  // A failed status and a short value leave it untouched.
  for (auto [reply, result, value] : {std::tuple{ReplyFrame(0x0B0004, 5, {1, 2, 3, 4}), 5u, 77u},
                                      {ReplyFrame(0x0B0004, 0, {1, 2}), kResultShortReply, 77u},
                                      {ReplyFrame(0x0B0004, 0, {1, 2, 3, 4}), 0u, 0x04030201u}}) {
    pipe.Reply(reply);
    EXPECT_EQ(SimpleRequest(pipe, kRequestWantsValue, 0x0B0004, 0, &out), result);
    EXPECT_EQ(out, value);
  }
}

TEST(SendAndWait, ResultPrecedenceAndReplyHandOver) {
  auto request = MakeRequest(0x290005, 16);
  std::span<const uint8_t> reply;
  FakePipe ok;
  ok.Reply(ReplyFrame(0x290005, 0, {9, 9}));
  EXPECT_EQ(SendAndWait(ok, request, &reply), 0u);
  EXPECT_EQ(reply.size(), 22u);

  struct Case {
    const char* what;
    std::vector<Frame> replies;
    uint32_t sendResult;
    uint32_t result;
  };
  const Case cases[] = {
      {"a failed status is the result", {ReplyFrame(0x290005, 5)}, kResultOk, 5},
      {"an error reply with status 0 still fails",
       {ReplyFrame(0x2010001, 0)},
       kResultOk,
       kResultErrorReply},
      {"a failed send: nothing is read",
       {ReplyFrame(0x290005, 0)},
       kIpcNotConnected,
       kIpcNotConnected},
      {"no reply: the read's own code", {}, kResultOk, kIpcTimedOut},
      {"a reply without room for a status",
       {Frame{0, 0, 0, 0, 5, 0, 0x29, 0, 0, 0, 0, 0, 16, 0, 0, 0}},
       kResultOk,
       kResultShortReply},
  };
  for (const Case& c : cases) {
    FakePipe pipe;
    for (const Frame& frame : c.replies) pipe.Reply(frame);
    pipe.sendResult = c.sendResult;
    std::span<const uint8_t> untouched;
    EXPECT_EQ(SendAndWait(pipe, request, &untouched), c.result) << c.what;
    EXPECT_TRUE(untouched.empty()) << c.what;
    if (c.sendResult != kResultOk) {
      EXPECT_EQ(pipe.reads, 0) << c.what;
    }
  }
}

// A pipe that keeps saying a frame is waiting but never delivers one.
class NeverDeliversPipe : public Pipe {
 public:
  int reads = 0;
  bool sent = false;
  uint32_t SendFrame(std::span<const uint8_t>) override {
    sent = true;
    return kResultOk;
  }
  bool FrameWaiting() override { return true; }
  uint32_t ReadFrame(std::span<const uint8_t>&) override {
    ++reads;
    return kIpcTimedOut;
  }
  void Cancel() override {}
};

TEST(SendAndWait, DrainOfAConnectionThatKeepsFailingIsBounded) {
  NeverDeliversPipe pipe;
  EXPECT_EQ(SendAndWait(pipe, MakeRequest(0x290005, 16)), kIpcTimedOut);
  EXPECT_TRUE(pipe.sent);
  EXPECT_LE(pipe.reads, 5);
}

TEST(SendNoWait, SendsWithoutDrainingOrReading) {
  FakePipe pipe;
  pipe.Waiting(ReplyFrame(0x1, 0));
  uint32_t written = 0;
  EXPECT_EQ(SendNoWait(pipe, kRequestHasValue | kRequestWantsValue, 0x140002, 3, &written, 180000),
            0u);
  EXPECT_EQ(std::tuple(pipe.reads, pipe.readable.size(), written), std::tuple(0, 1u, 20u));
  EXPECT_THAT(pipe.last(),
              ElementsAreArray<uint8_t>({0,    0,    0,    0, 0x02, 0x00, 0x14, 0x00, 0x20, 0xBF,
                                         0x02, 0x00, 0x14, 0, 0,    0,    3,    0,    0,    0}));
}

}  // namespace
}  // namespace zeph
