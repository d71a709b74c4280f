#pragma once
// What the card service's server asks of whatever stands behind it: the
// emulator's card model or a modem. The server owns the sockets, the
// framing, the order of replies and the state file; a backend answers
// requests and control commands, and never blocks the server's loop. A
// request that takes time (a send over a real network) is held: the
// backend answers it later through the reply sink, while the server goes
// on serving every other connection.

#include <poll.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zeph::cardservice {

class CardModel;
struct Faults;

class CardBackend {
 public:
  using Reply = std::vector<uint8_t>;
  // Takes the reply of a held request: the ticket it was given with.
  using ReplySink = std::function<void(uint64_t ticket, Reply reply)>;

  virtual ~CardBackend() = default;

  // The reply to `request` (a whole frame of at least 16 bytes), or none
  // when the backend holds it: it then hands the reply to the sink with
  // `ticket`, from inside a later Advance. Tickets are unique.
  virtual std::optional<Reply> Answer(uint64_t ticket, std::span<const uint8_t> request,
                                      uint64_t nowMs) = 0;

  // One control line in, its reply line out (control_commands.h).
  virtual std::string Control(std::string_view line, uint64_t nowMs) = 0;

  // Descriptors the backend needs polled, appended to `fds`; Advance gets
  // the same entries back with their results.
  virtual void AddPollFds(std::vector<pollfd>& fds) const { (void)fds; }
  // When the backend next needs to run even without a ready descriptor.
  virtual std::optional<uint64_t> NextDue() const = 0;
  // Runs after every poll: reads its descriptors, does what is due.
  virtual void Advance(uint64_t nowMs, std::span<const pollfd> ownFds) = 0;

  // Messages that arrived since the last call: one indication each.
  virtual int TakeArrivals() = 0;

  // The card model whose saved fields the state file keeps; the server
  // saves it whenever its `dirty` flag is set.
  virtual CardModel& state() = 0;

  // The emulator's faults that change how the server treats connections
  // (refused or silent opens, closed connections, delays); none for a modem.
  virtual Faults* faults() { return nullptr; }

  void SetReplySink(ReplySink sink) { sink_ = std::move(sink); }

 protected:
  void Deliver(uint64_t ticket, Reply reply) {
    if (sink_) sink_(ticket, std::move(reply));
  }

 private:
  ReplySink sink_;
};

}  // namespace zeph::cardservice
