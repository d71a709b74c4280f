#pragma once
// A scripted pipe: notes every frame sent; each send makes the next reply readable.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "core/devicelink/pipe.h"
#include "core/devicelink/result_codes.h"
#include "core/util/byte_order.h"

namespace zeph::testing {

using Frame = std::vector<uint8_t>;

// A reply frame built by hand: reserved 0, id, timeoutMs 0, length, status, payload.
inline Frame ReplyFrame(uint32_t id, uint32_t status, std::vector<uint8_t> payload = {}) {
  Frame frame(20 + payload.size(), 0);
  WriteU32(&frame[4], id);
  WriteU32(&frame[12], static_cast<uint32_t>(20 + payload.size()));
  WriteU32(&frame[16], status);
  std::copy(payload.begin(), payload.end(), frame.begin() + 20);
  return frame;
}

class FakePipe : public Pipe {
 public:
  std::vector<Frame> sent;     // every frame sent, in order
  std::deque<Frame> replies;   // the next send makes the front one readable
  std::deque<Frame> readable;  // frames that can be read now
  uint32_t sendResult = kResultOk;
  int reads = 0;

  void Reply(Frame frame) { replies.push_back(std::move(frame)); }
  void Waiting(Frame frame) { readable.push_back(std::move(frame)); }  // a stale frame

  uint32_t SendFrame(std::span<const uint8_t> frame) override {
    if (sendResult != kResultOk) return sendResult;
    sent.emplace_back(frame.begin(), frame.end());
    if (!replies.empty()) {
      readable.push_back(std::move(replies.front()));
      replies.pop_front();
    }
    return kResultOk;
  }
  bool FrameWaiting() override { return !readable.empty(); }
  uint32_t ReadFrame(std::span<const uint8_t>& frame) override {
    ++reads;
    if (readable.empty()) return kIpcTimedOut;
    current_ = std::move(readable.front());
    readable.pop_front();
    frame = current_;
    return kResultOk;
  }
  void Cancel() override {}

  const Frame& last() const { return sent.back(); }

 private:
  Frame current_;
};

}  // namespace zeph::testing
