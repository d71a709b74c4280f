// Whatever a client sends on the card service's pipe socket: the server's
// own reading of a connection (the frame buffer, the open, registrations,
// requests answered in order by the emulated demo card) must neither crash
// nor answer out of turn. The stream is read twice on two copies of the
// card, once whole and once cut into pieces as a socket might hand it
// over, and both readings must write the same bytes.
//
// What is checked against the transport's rules, read here on their own:
// - every byte written is part of a reply frame of 20 bytes or more whose
//   length field is its size, with reserved and timeoutMs 0;
// - no frame before a whole open gets a reply; a first frame that is not an
//   open, and a length outside 16 .. 1 MiB, end the connection at once;
// - the open's reply accepts exactly the three pipe names, and a refused
//   open ends the connection once the reply is written;
// - after the open, each whole frame but a registration gets one reply, in
//   order, carrying the request's id or the error reply's; a registration
//   and a frame cut short get none. A connection that ends at once is
//   closed with what waits unwritten, so there the replies may stop early,
//   and the two readings may differ in how far they got.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "cardservice/card_model.h"
#include "cardservice/demo_card.h"
#include "cardservice/emulator_backend.h"
#include "cardservice/pipe_session.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace zeph;
using namespace zeph::cardservice;

constexpr uint64_t kNowMs = 1000000;

struct Reading {
  std::vector<uint8_t> output;
  bool closing = false;
  bool dead = false;
};

// `pieces`: the stream in one piece, or cut where the stream's own bytes say.
Reading Read(const CardModel& demo, std::span<const uint8_t> stream, bool pieces) {
  CardModel card = demo;
  EmulatorBackend backend(card);
  PipeSession session(backend, false);
  uint64_t ticket = 1;
  size_t at = 0;
  while (at < stream.size()) {
    size_t piece = pieces ? 1 + (stream[at] * 7u + at) % 61 : stream.size();
    piece = std::min(piece, stream.size() - at);
    session.Receive(stream.subspan(at, piece), kNowMs);
    session.AnswerDue(kNowMs, ticket);
    at += piece;
  }
  return {std::move(session.output), session.closing, session.dead};
}

// What the transport's rules say the service does with `stream`.
struct Expected {
  bool openReply = false;
  bool accepted = false;
  bool closing = false;
  bool dead = false;
  std::vector<uint32_t> requestIds;  // of the frames that get a reply, in order
};

Expected Expect(std::span<const uint8_t> stream) {
  Expected expected;
  bool opened = false;
  size_t at = 0;
  while (stream.size() - at >= wire::kHeaderSize) {
    const uint8_t* frame = stream.data() + at;
    uint32_t length = ReadU32(frame + wire::kLengthOffset);
    if (length < wire::kMinFrameLength || length > wire::kMaxFrameLength) {
      expected.dead = true;
      break;
    }
    if (stream.size() - at < length) break;  // cut short: waits for the rest
    at += length;
    uint32_t id = ReadU32(frame + wire::kMessageIdOffset);
    if (!opened) {
      if (id != wire::kOpenId || length < wire::kOpenLength) {
        expected.dead = true;
        break;
      }
      const char* name = reinterpret_cast<const char*>(frame + wire::kOpenNameOffset);
      std::string text(name, strnlen(name, wire::kOpenNameSize));
      expected.openReply = true;
      expected.accepted = text == wire::kSyncPipeName || text == wire::kIndicationPipeName ||
                          text == wire::kSendPipeName;
      if (!expected.accepted) {
        expected.closing = true;
        break;
      }
      opened = true;
      continue;
    }
    if (id == wire::kRegisterId && length >= wire::kRegisterLength) continue;
    expected.requestIds.push_back(id);
  }
  return expected;
}

void Check(const Reading& reading, const Expected& expected) {
  FUZZ_CHECK(reading.dead == expected.dead);
  FUZZ_CHECK(reading.closing == expected.closing);
  std::span<const uint8_t> output(reading.output);
  size_t replies = 0;
  while (!output.empty()) {
    FUZZ_CHECK(output.size() >= wire::kMinReplyLength);
    uint32_t length = ReadU32(&output[wire::kLengthOffset]);
    FUZZ_CHECK(length >= wire::kMinReplyLength && length <= wire::kMaxFrameLength);
    FUZZ_CHECK(length <= output.size());
    FUZZ_CHECK(ReadU32(&output[wire::kReservedOffset]) == 0);
    FUZZ_CHECK(ReadU32(&output[wire::kTimeoutOffset]) == 0);
    uint32_t id = ReadU32(&output[wire::kMessageIdOffset]);
    uint32_t status = ReadU32(&output[wire::kStatusOffset]);
    if (replies == 0) {
      FUZZ_CHECK(expected.openReply);
      FUZZ_CHECK(id == wire::kOpenId);
      FUZZ_CHECK((status == 0) == expected.accepted);
    } else {
      FUZZ_CHECK(replies <= expected.requestIds.size());
      uint32_t asked = expected.requestIds[replies - 1];
      FUZZ_CHECK(id == asked || id == wire::kErrorReplyId);
    }
    ++replies;
    output = output.subspan(length);
  }
  const size_t all = expected.openReply ? 1 + expected.requestIds.size() : 0;
  FUZZ_CHECK(expected.dead ? replies <= all : replies == all);
}

bool StartsWith(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& start) {
  return start.size() <= bytes.size() && std::equal(start.begin(), start.end(), bytes.begin());
}

CardModel DemoCard() {
  CardModel card;
  FillDemoCard(card);
  return card;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const CardModel demo = DemoCard();
  std::span<const uint8_t> stream(data, size);
  const Expected expected = Expect(stream);
  const Reading whole = Read(demo, stream, false);
  Check(whole, expected);
  const Reading cut = Read(demo, stream, true);
  Check(cut, expected);
  if (expected.dead)
    FUZZ_CHECK(StartsWith(cut.output, whole.output) || StartsWith(whole.output, cut.output));
  else
    FUZZ_CHECK(cut.output == whole.output);
  return 0;
}
