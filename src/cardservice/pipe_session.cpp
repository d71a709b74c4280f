#include "cardservice/pipe_session.h"

#include <cstdio>
#include <iostream>

#include "cardservice/card_model.h"
#include "cardservice/request_handler.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"
#include "core/util/fixed_text.h"

namespace zeph::cardservice {
namespace {

bool AcceptedPipeName(const std::string& name) {
  return name == wire::kSyncPipeName || name == wire::kIndicationPipeName ||
         name == wire::kSendPipeName;
}

std::string Hex(uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", id);
  return text;
}

}  // namespace

PipeSession::PipeSession(CardBackend& backend, bool verbose)
    : backend_(backend), verbose_(verbose) {}

void PipeSession::Log(const std::string& text) const {
  if (verbose_) std::cerr << "[" << (pipeName_.empty() ? "?" : pipeName_) << "] " << text << '\n';
}

void PipeSession::Receive(std::span<const uint8_t> bytes, uint64_t nowMs) {
  frames_.Append(bytes.data(), bytes.size());
  while (!dead && !closing) {
    auto next = frames_.Peek();
    if (next == FrameBuffer::Next::kNeedMore) return;
    if (next == FrameBuffer::Next::kBadLength) {
      Log("frame length out of bounds: connection closed");
      dead = true;
      return;
    }
    std::vector<uint8_t> frame;
    frames_.Take(frame);
    OnFrame(std::move(frame), nowMs);
  }
}

void PipeSession::OnOpen(const std::vector<uint8_t>& frame) {
  uint32_t id = ReadU32(&frame[wire::kMessageIdOffset]);
  if (id != wire::kOpenId || frame.size() < wire::kOpenLength) {
    Log("first frame is not an open: connection closed");
    dead = true;
    return;
  }
  pipeName_ = BoundedText(&frame[wire::kOpenNameOffset], wire::kOpenNameSize);
  Faults* faults = backend_.faults();
  if (faults && faults->silentOpens) {
    Log("open left unanswered (fault)");
    return;
  }
  bool accept = AcceptedPipeName(pipeName_) && !(faults && faults->refuseOpens);
  auto reply = MakeReply(wire::kOpenId, accept ? 0 : status::kOpenRefused);
  output.insert(output.end(), reply.begin(), reply.end());
  opened_ = accept;
  closing = !accept;
  Log(accept ? "open" : "open refused");
}

void PipeSession::OnFrame(std::vector<uint8_t> frame, uint64_t nowMs) {
  if (!opened_) {
    OnOpen(frame);
    return;
  }
  uint32_t id = ReadU32(&frame[wire::kMessageIdOffset]);
  if (id == wire::kRegisterId && frame.size() >= wire::kRegisterLength) {
    ranges_.emplace_back(ReadU32(&frame[wire::kRegisterFirstOffset]),
                         ReadU32(&frame[wire::kRegisterLastOffset]));
    Log("register " + Hex(ranges_.back().first) + " to " + Hex(ranges_.back().second));
    return;
  }
  Faults* faults = backend_.faults();
  if (!faults) {
    held_.push_back({nowMs, std::move(frame)});
    return;
  }
  if (faults->closeNext && (faults->closePipe.empty() || faults->closePipe == pipeName_)) {
    faults->closeNext = false;
    Log(Hex(id) + " -> connection closed (fault)");
    dead = true;
    return;
  }
  if (faults->holdSends && id == wire::kSendMessageId) {
    Log(Hex(id) + " left unanswered (fault)");
    return;
  }
  held_.push_back({nowMs + faults->delayMs, std::move(frame)});
}

void PipeSession::AnswerDue(uint64_t nowMs, uint64_t& nextTicket) {
  while (!dead && !held_.empty() && held_.front().ticket == 0 && held_.front().dueMs <= nowMs) {
    auto& front = held_.front();
    front.ticket = nextTicket++;
    auto reply = backend_.Answer(front.ticket, front.request, nowMs);
    if (!reply) break;  // held: AnswerHeld answers it, and then the next
    SendReply(std::move(*reply));
  }
}

bool PipeSession::AnswerHeld(uint64_t ticket, std::vector<uint8_t>& reply) {
  // A connection that closed meanwhile is gone, and its reply with it.
  if (dead || held_.empty() || held_.front().ticket != ticket) return false;
  SendReply(std::move(reply));
  return true;
}

std::optional<uint64_t> PipeSession::NextDue() const {
  if (held_.empty() || held_.front().ticket != 0) return std::nullopt;
  return held_.front().dueMs;
}

bool PipeSession::Registered(uint32_t id) const {
  for (auto [first, last] : ranges_)
    if (id >= first && id <= last) return true;
  return false;
}

// Answers the oldest request with `reply`.
void PipeSession::SendReply(std::vector<uint8_t> reply) {
  auto request = std::move(held_.front().request);
  held_.pop_front();
  Log(Hex(ReadU32(&request[wire::kMessageIdOffset])) + " -> " +
      (ReadU32(&reply[wire::kMessageIdOffset]) == wire::kErrorReplyId
           ? std::string("error reply")
           : Hex(ReadU32(&reply[wire::kStatusOffset]))));
  Faults* faults = backend_.faults();
  int copies = faults && faults->staleReply ? 2 : 1;
  if (faults) faults->staleReply = false;
  for (int i = 0; i < copies; ++i) output.insert(output.end(), reply.begin(), reply.end());
}

}  // namespace zeph::cardservice
