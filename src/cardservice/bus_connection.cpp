#include "cardservice/bus_connection.h"

#include <cerrno>
#include <iostream>
#include <memory>

namespace zeph::cardservice {
namespace {

// ModemManager's errors as errno values, so that a failed call carries its
// cause into the status the program gets (sd-bus knows the standard D-Bus
// errors already; any other name maps to EIO).
const sd_bus_error_map kModemManagerErrors[] = {
    SD_BUS_ERROR_MAP("org.freedesktop.ModemManager1.Error.Core.Unauthorized", EACCES),
    SD_BUS_ERROR_MAP("org.freedesktop.ModemManager1.Error.Core.Unsupported", EOPNOTSUPP),
    SD_BUS_ERROR_MAP("org.freedesktop.ModemManager1.Error.Core.InvalidArgs", EINVAL),
    SD_BUS_ERROR_MAP("org.freedesktop.ModemManager1.Error.Core.WrongState", EBUSY),
    SD_BUS_ERROR_MAP("org.freedesktop.ModemManager1.Error.Core.NotFound", ENOENT),
    SD_BUS_ERROR_MAP("org.freedesktop.ModemManager1.Error.Core.Cancelled", ECANCELED),
    SD_BUS_ERROR_MAP("org.freedesktop.ModemManager1.Error.Core.Retry", EAGAIN),
    SD_BUS_ERROR_MAP_END};

uint64_t MsFromUsec(uint64_t usec) {
  return (usec + 999) / 1000;
}

template <typename Handler>
void DeleteHandler(void* handler) {
  delete static_cast<Handler*>(handler);
}

int OnReply(sd_bus_message* message, void* userdata, sd_bus_error*) {
  BusReply reply;
  reply.message = message;
  if (const sd_bus_error* error = sd_bus_message_get_error(message)) {
    reply.error = -sd_bus_message_get_errno(message);
    if (reply.error == 0) reply.error = -EIO;
    reply.errorName = error->name ? error->name : "";
    reply.errorText = error->message ? error->message : "";
  }
  (*static_cast<BusConnection::ReplyHandler*>(userdata))(reply);
  return 0;
}

int OnSignal(sd_bus_message* message, void* userdata, sd_bus_error*) {
  (*static_cast<BusConnection::SignalHandler*>(userdata))(message);
  return 0;
}

int OnMatchInstalled(sd_bus_message* message, void*, sd_bus_error*) {
  if (const sd_bus_error* error = sd_bus_message_get_error(message))
    std::cerr << "zeph-cardservice: the bus refused a match: "
              << (error->message ? error->message : "?") << '\n';
  return 0;
}

// Hands a new slot over to the bus, with `handler` freed when the slot goes
// (answered, or the bus closed).
template <typename Handler>
void Float(sd_bus_slot* slot) {
  sd_bus_slot_set_destroy_callback(slot, &DeleteHandler<Handler>);
  sd_bus_slot_set_floating(slot, 1);
  sd_bus_slot_unref(slot);
}

}  // namespace

BusConnection::BusConnection() {
  sd_bus_error_add_map(kModemManagerErrors);
}

BusConnection::~BusConnection() {
  Close();
}

int BusConnection::Open() {
  Close();
  return sd_bus_open_system(&bus_);
}

// Without flushing: a bus that does not read must not hold up the service's end.
void BusConnection::Close() {
  if (bus_) bus_ = sd_bus_close_unref(bus_);
}

pollfd BusConnection::PollFd() const {
  int events = bus_ ? sd_bus_get_events(bus_) : 0;
  return {bus_ ? sd_bus_get_fd(bus_) : -1, static_cast<short>(events > 0 ? events : 0), 0};
}

std::optional<uint64_t> BusConnection::DueMs() const {
  uint64_t usec = UINT64_MAX;
  if (!bus_ || sd_bus_get_timeout(bus_, &usec) < 0 || usec == UINT64_MAX) return std::nullopt;
  return MsFromUsec(usec);
}

int BusConnection::Process() {
  if (!bus_) return -ENOTCONN;
  // A flood of signals yields to the sockets now and then: what is left is
  // due at once (DueMs).
  for (int round = 0; round < 64; ++round) {
    int r = sd_bus_process(bus_, nullptr);
    if (r <= 0) return r;
  }
  return 0;
}

int BusConnection::Call(const char* destination, const std::string& path, const char* interface,
                        const char* member, uint32_t timeoutMs, const Arguments& arguments,
                        ReplyHandler done) {
  if (!bus_) return -ENOTCONN;
  sd_bus_message* call = nullptr;
  int r = sd_bus_message_new_method_call(bus_, &call, destination, path.c_str(), interface, member);
  if (r >= 0 && arguments) r = arguments(call);
  auto handler = std::make_unique<ReplyHandler>(std::move(done));
  sd_bus_slot* slot = nullptr;
  if (r >= 0)
    r = sd_bus_call_async(bus_, &slot, call, &OnReply, handler.get(), uint64_t{timeoutMs} * 1000);
  sd_bus_message_unref(call);
  if (r < 0) return r;
  handler.release();
  Float<ReplyHandler>(slot);
  return 0;
}

int BusConnection::AddMatch(const std::string& rule, SignalHandler handler) {
  if (!bus_) return -ENOTCONN;
  auto owned = std::make_unique<SignalHandler>(std::move(handler));
  sd_bus_slot* slot = nullptr;
  int r =
      sd_bus_add_match_async(bus_, &slot, rule.c_str(), &OnSignal, &OnMatchInstalled, owned.get());
  if (r < 0) return r;
  owned.release();
  Float<SignalHandler>(slot);
  return 0;
}

}  // namespace zeph::cardservice
