#pragma once
// The system bus through sd-bus, for the card service's poll loop. Every
// call and every match is asynchronous: the loop polls the bus's
// descriptor beside its sockets and lets sd-bus run when it is ready or a
// time-out falls due, and never waits for an answer. sd_bus_open_system
// takes the bus address from DBUS_SYSTEM_BUS_ADDRESS when it is set.
//
// Calls and matches live as long as the connection: a caller that no
// longer wants an answer ignores it (the modem backend looks its held
// request up by ticket). Closing the connection drops every pending
// callback uncalled.

#include <poll.h>
#include <systemd/sd-bus.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zeph::cardservice {

// A method call's outcome. `error` is 0, or the negative errno sd-bus maps
// the D-Bus error to (ModemManager's own errors included, see the .cpp);
// `errorName` and `errorText` then say what the other side said.
struct BusReply {
  sd_bus_message* message = nullptr;  // borrowed; read it only when error is 0
  int error = 0;
  std::string errorName;
  std::string errorText;
};

class BusConnection {
 public:
  using ReplyHandler = std::function<void(const BusReply&)>;
  using SignalHandler = std::function<void(sd_bus_message*)>;
  // Appends the call's arguments; 0 or a negative errno.
  using Arguments = std::function<int(sd_bus_message*)>;

  BusConnection();
  ~BusConnection();
  BusConnection(const BusConnection&) = delete;
  BusConnection& operator=(const BusConnection&) = delete;

  // Connects to the system bus without waiting for the handshake: 0 or a
  // negative errno (no bus listening).
  int Open();
  void Close();
  bool IsOpen() const { return bus_ != nullptr; }

  // What to poll, and when sd-bus must run even without a ready descriptor
  // (a call timing out, messages already read); milliseconds of the
  // monotonic clock, as NowMs.
  pollfd PollFd() const;
  std::optional<uint64_t> DueMs() const;
  // Lets sd-bus do everything it can now, calling handlers; a negative
  // errno when the connection broke.
  int Process();

  // Calls `member` of `interface` on `path` of `destination`. `done` runs
  // from a later Process with the reply, or with error -ETIMEDOUT after
  // `timeoutMs`. 0, or a negative errno when the call could not be sent
  // (`done` then never runs).
  int Call(const char* destination, const std::string& path, const char* interface,
           const char* member, uint32_t timeoutMs, const Arguments& arguments, ReplyHandler done);

  // Runs `handler` for every message matching `rule` (D-Bus match syntax).
  // A match the bus refuses is reported on stderr and left out.
  int AddMatch(const std::string& rule, SignalHandler handler);

 private:
  sd_bus* bus_ = nullptr;
};

}  // namespace zeph::cardservice
