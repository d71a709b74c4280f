#pragma once
// One of the program's pipes as the card service reads it, apart from its
// socket. Bytes come in as the socket gives them and the frame buffer cuts
// them into frames: the first must be the open, then come registrations
// and requests. Requests wait in the order they came until they fall due
// and are answered in that order; the replies gather in `output`. The
// server keeps one for every connection and moves the bytes between it and
// the socket; the framing fuzz target drives one with no socket at all.

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "cardservice/card_backend.h"
#include "core/devicelink/frame_buffer.h"

namespace zeph::cardservice {

class PipeSession {
 public:
  // `verbose` logs every frame and reply to stderr.
  PipeSession(CardBackend& backend, bool verbose);

  // Reads what the client sent: any bytes, frames cut anywhere. Stops at
  // the first frame that ends the connection.
  void Receive(std::span<const uint8_t> bytes, uint64_t nowMs);

  // Asks the backend for the replies of the requests that are due, oldest
  // first, until it holds one. Each request handed over takes the ticket
  // `nextTicket` and moves it on, so tickets stay unique across sessions.
  void AnswerDue(uint64_t nowMs, uint64_t& nextTicket);

  // The reply the backend held back with `ticket`: when this session waits
  // for it, it answers the oldest request (moved from `reply`) and is true.
  bool AnswerHeld(uint64_t ticket, std::vector<uint8_t>& reply);

  // When the oldest waiting request falls due; none while nothing waits or
  // while the backend holds it.
  std::optional<uint64_t> NextDue() const;

  // Whether the client registered a range that holds indication `id`.
  bool Registered(uint32_t id) const;

  void Log(const std::string& text) const;

  // What waits to be written to the client; the server removes what the
  // socket took. Control connections use it too, with their text lines.
  std::vector<uint8_t> output;
  bool closing = false;  // close once the output is written
  bool dead = false;     // close now

 private:
  struct Held {
    uint64_t dueMs;
    std::vector<uint8_t> request;
    uint64_t ticket = 0;  // given to the backend, which holds it; 0 before
  };

  void OnFrame(std::vector<uint8_t> frame, uint64_t nowMs);
  void OnOpen(const std::vector<uint8_t>& frame);
  void SendReply(std::vector<uint8_t> reply);

  CardBackend& backend_;
  bool verbose_;
  bool opened_ = false;
  std::string pipeName_;
  std::vector<std::pair<uint32_t, uint32_t>> ranges_;
  FrameBuffer frames_;
  std::deque<Held> held_;  // requests waiting for their answer, oldest first
};

}  // namespace zeph::cardservice
