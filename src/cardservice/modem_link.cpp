#include "cardservice/modem_link.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>
#include <set>

#include "cardservice/bus_properties.h"
#include "cardservice/modem_mapping.h"

namespace zeph::cardservice {
namespace {

constexpr uint32_t kCallTimeoutMs = 10000;
constexpr uint64_t kReconnectMs = 1000;
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";

std::string ErrnoText(int error) {
  return std::strerror(error < 0 ? -error : error);
}

}  // namespace

ModemLink::ModemLink(std::string modemId, bool verbose, Events events)
    : modemId_(std::move(modemId)), verbose_(verbose), events_(std::move(events)) {}

void ModemLink::Log(const std::string& text) const {
  if (verbose_) std::cerr << "[modem] " << text << '\n';
}

// ---- the bus connection ------------------------------------------------------

void ModemLink::AddPollFds(std::vector<pollfd>& fds) const {
  if (bus_.IsOpen()) fds.push_back(bus_.PollFd());
}

std::optional<uint64_t> ModemLink::NextDue() const {
  return bus_.IsOpen() ? bus_.DueMs() : std::optional(reconnectAtMs_);
}

void ModemLink::Advance(uint64_t nowMs, std::span<const pollfd> ownFds) {
  if (!bus_.IsOpen()) {
    if (nowMs >= reconnectAtMs_) Connect(nowMs);
    return;
  }
  bool ready = !ownFds.empty() && ownFds[0].revents != 0;
  std::optional<uint64_t> due = bus_.DueMs();
  if (!ready && (!due || *due > nowMs)) return;
  if (int r = bus_.Process(); r < 0) {
    Log("the bus connection broke: " + ErrnoText(r));
    Disconnect(nowMs);
  }
}

void ModemLink::Connect(uint64_t nowMs) {
  if (int r = bus_.Open(); r < 0) {
    Log("no system bus: " + ErrnoText(r));
    Disconnect(nowMs);
    return;
  }
  using Handler = void (ModemLink::*)(sd_bus_message*);
  auto match = [this](const std::string& rule, Handler handler) {
    if (int r = bus_.AddMatch(rule, [this, handler](sd_bus_message* m) { (this->*handler)(m); });
        r < 0)
      Log("cannot add a match: " + ErrnoText(r));
  };
  const std::string root = std::string("path_namespace='") + mm::kRootPath + "'";
  match(std::string("type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',"
                    "member='NameOwnerChanged',arg0='") +
            mm::kService + "'",
        &ModemLink::OnNameOwnerChanged);
  match(std::string("type='signal',interface='org.freedesktop.DBus.ObjectManager',path='") +
            mm::kRootPath + "'",
        &ModemLink::OnObjectManager);
  match("type='signal',interface='org.freedesktop.DBus.Properties',member='PropertiesChanged'," +
            root,
        &ModemLink::OnPropertiesChanged);
  match(std::string("type='signal',interface='") + mm::kMessaging + "'," + root,
        &ModemLink::OnMessaging);
  // Whether ModemManager runs now; from here on NameOwnerChanged says when it comes and goes.
  uint64_t generation = ++generation_;
  bus_.Call(
      "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetNameOwner",
      kCallTimeoutMs,
      [](sd_bus_message* call) { return sd_bus_message_append(call, "s", mm::kService); },
      [this, generation](const BusReply& reply) {
        const char* owner = nullptr;
        if (generation != generation_ || reply.error ||
            sd_bus_message_read(reply.message, "s", &owner) < 0)
          return;
        owner_ = owner;
        LoadObjects();
      });
}

void ModemLink::Disconnect(uint64_t nowMs) {
  bus_.Close();
  owner_.clear();
  objects_.clear();
  ++generation_;
  PickModem();
  reconnectAtMs_ = nowMs + kReconnectMs;
}

int ModemLink::Call(const std::string& path, const char* interface, const char* member,
                    uint32_t timeoutMs, const BusConnection::Arguments& arguments,
                    BusConnection::ReplyHandler done) {
  return bus_.Call(mm::kService, path, interface, member, timeoutMs, arguments, std::move(done));
}

void ModemLink::NoteFailure(const BusReply& reply) {
  lastError_ =
      reply.errorName.empty() ? ErrnoText(reply.error) : reply.errorName + ": " + reply.errorText;
  Log("call failed: " + lastError_);
  // polkit refusing outside an active session: the call fails, said once here and by `show`.
  if (reply.error == -EACCES && !refusalSaid_) {
    refusalSaid_ = true;
    std::cerr << "zeph-cardservice: ModemManager refuses access (" << lastError_
              << "); run the card service inside an active desktop session\n";
  }
}

// ---- ModemManager and its modems ----------------------------------------------

bool ModemLink::FromModemManager(sd_bus_message* message) const {
  const char* sender = sd_bus_message_get_sender(message);
  return !owner_.empty() && sender && owner_ == sender;
}

void ModemLink::LoadObjects() {
  uint64_t generation = generation_;
  bus_.Call(mm::kService, mm::kRootPath, "org.freedesktop.DBus.ObjectManager", "GetManagedObjects",
            kCallTimeoutMs, {}, [this, generation](const BusReply& reply) {
              std::map<std::string, BusObject> objects;
              if (generation != generation_) return;
              if (reply.error) return NoteFailure(reply);
              if (ReadManagedObjects(reply.message, objects) < 0) return Log("bad object list");
              objects_ = std::move(objects);
              PickModem();
            });
}

void ModemLink::OnNameOwnerChanged(sd_bus_message* message) {
  const char *name = nullptr, *before = nullptr, *after = nullptr;
  if (sd_bus_message_read(message, "sss", &name, &before, &after) < 0 ||
      std::string_view(name) != mm::kService)
    return;
  Log(*after ? "ModemManager is on the bus" : "ModemManager left the bus");
  // Its modems went with it; a new owner lists its own.
  ++generation_;
  owner_ = after;
  objects_.clear();
  PickModem();
  if (!owner_.empty()) LoadObjects();
}

void ModemLink::OnObjectManager(sd_bus_message* message) {
  const char* path = nullptr;
  if (!FromModemManager(message) || sd_bus_message_read(message, "o", &path) < 0) return;
  std::string_view member = sd_bus_message_get_member(message);
  if (member == "InterfacesAdded") {
    BusObject added;
    if (ReadInterfaces(message, added) < 0) return;
    for (auto& [interface, properties] : added) objects_[path][interface] = std::move(properties);
  } else if (member == "InterfacesRemoved") {
    std::vector<std::string> gone;
    auto object = objects_.find(path);
    if (ReadStrings(message, 's', gone) < 0 || object == objects_.end()) return;
    for (const auto& interface : gone) object->second.erase(interface);
    if (object->second.empty()) objects_.erase(object);
  } else {
    return;
  }
  PickModem();
}

void ModemLink::OnPropertiesChanged(sd_bus_message* message) {
  const char* interface = nullptr;
  PropertyMap changed;
  if (!FromModemManager(message) || sd_bus_message_read(message, "s", &interface) < 0 ||
      ReadProperties(message, changed) < 0)
    return;
  const std::string path = sd_bus_message_get_path(message);
  if (auto object = objects_.find(path); object != objects_.end()) {
    if (auto properties = object->second.find(interface); properties != object->second.end())
      for (auto& [name, value] : changed) properties->second[name] = value;
  }
  if (auto entry = messages_.find(path);
      entry != messages_.end() && interface == std::string_view(mm::kSms)) {
    for (auto& [name, value] : changed) entry->second.properties[name] = std::move(value);
    AnnounceIfReceived(entry->second);
  }
}

void ModemLink::OnMessaging(sd_bus_message* message) {
  const char* path = nullptr;
  if (!FromModemManager(message) || !messaging_ || modemPath_ != sd_bus_message_get_path(message) ||
      sd_bus_message_read(message, "o", &path) < 0)
    return;
  std::string_view member = sd_bus_message_get_member(message);
  if (member == "Added" && !messages_.count(path)) Fetch(path, nullptr);
  if (member == "Deleted") Forget(path);
}

void ModemLink::PickModem() {
  std::string chosen = ChooseModem(objects_, modemId_).value_or("");
  bool messaging = !chosen.empty() && InterfaceOf(objects_.at(chosen), mm::kMessaging);
  if (chosen == modemPath_ && messaging == messaging_) return;
  Log("modem: " + (chosen.empty() ? std::string("none") : chosen) +
      (chosen.empty() || messaging ? "" : " (no messaging)"));
  modemPath_ = chosen;
  messaging_ = messaging;
  ++generation_;
  ForgetAll();
  if (events_.modemChanged) events_.modemChanged();
  if (messaging_) Refresh(nullptr);  // what waits on the modem is announced
}

const BusObject* ModemLink::modem() const {
  auto it = objects_.find(modemPath_);
  return it == objects_.end() ? nullptr : &it->second;
}

bool ModemLink::HasMessaging() const {
  return messaging_;
}

// ---- messages ----------------------------------------------------------------------

bool ModemLink::Refresh(std::function<void()> done) {
  if (!messaging_) return false;
  uint64_t generation = generation_;
  int r = bus_.Call(mm::kService, modemPath_, mm::kMessaging, "List", kCallTimeoutMs, {},
                    [this, generation, done](const BusReply& reply) {
                      if (generation == generation_) return OnListed(reply, done);
                      if (done) done();
                    });
  return r >= 0;
}

void ModemLink::OnListed(const BusReply& reply, const std::function<void()>& done) {
  std::vector<std::string> listed;
  if (reply.error) NoteFailure(reply);
  if (reply.error || ReadStrings(reply.message, 'o', listed) < 0) {
    if (done) done();
    return;
  }
  std::set<std::string> paths(listed.begin(), listed.end());
  std::vector<std::string> gone;
  for (const auto& [path, message] : messages_)
    if (!paths.count(path)) gone.push_back(path);
  for (const auto& path : gone) Forget(path);
  // `done` runs once every message listed is read, also one read since its Added.
  auto pending = std::make_shared<size_t>(1);
  auto oneDone = [pending, done] {
    if (--*pending == 0 && done) done();
  };
  for (const auto& path : listed) {
    auto known = messages_.find(path);
    if (known != messages_.end() && known->second.loaded) continue;
    ++*pending;
    if (known != messages_.end())
      known->second.waiting.push_back(oneDone);
    else
      Fetch(path, oneDone);
  }
  oneDone();
}

void ModemLink::Fetch(const std::string& path, std::function<void()> then) {
  Message& message = messages_[path];
  message.order = nextOrder_++;
  if (then) message.waiting.push_back(std::move(then));
  uint64_t generation = generation_;
  int r = bus_.Call(
      mm::kService, path, kProperties, "GetAll", kCallTimeoutMs,
      [](sd_bus_message* call) { return sd_bus_message_append(call, "s", mm::kSms); },
      [this, generation, path](const BusReply& reply) {
        auto entry = messages_.find(path);
        if (generation != generation_ || entry == messages_.end()) return;
        // One that cannot be read is forgotten; the next List tries again.
        if (reply.error || ReadProperties(reply.message, entry->second.properties) < 0)
          return Forget(path);
        entry->second.loaded = true;
        AnnounceIfReceived(entry->second);
        for (auto& waiter : std::exchange(entry->second.waiting, {})) waiter();
      });
  if (r < 0) Forget(path);
}

void ModemLink::Forget(const std::string& path) {
  auto entry = messages_.find(path);
  if (entry == messages_.end()) return;
  auto waiting = std::move(entry->second.waiting);
  messages_.erase(entry);
  for (auto& waiter : waiting) waiter();
}

void ModemLink::ForgetAll() {
  std::vector<std::function<void()>> waiting;
  for (auto& [path, message] : messages_)
    for (auto& waiter : message.waiting) waiting.push_back(std::move(waiter));
  messages_.clear();
  for (auto& waiter : waiting) waiter();
}

void ModemLink::AnnounceIfReceived(Message& message) {
  if (!message.loaded || message.announced || !IsReceived(message.properties)) return;
  message.announced = true;
  if (events_.messageReceived) events_.messageReceived();
}

std::vector<std::string> ModemLink::ReceivedInOrder() const {
  std::vector<std::pair<uint64_t, std::string>> received;
  for (const auto& [path, message] : messages_)
    if (message.loaded && IsReceived(message.properties))
      received.emplace_back(message.order, path);
  std::sort(received.begin(), received.end());
  std::vector<std::string> paths;
  for (auto& entry : received) paths.push_back(std::move(entry.second));
  return paths;
}

const ModemLink::Message* ModemLink::FindMessage(const std::string& path) const {
  auto it = messages_.find(path);
  return it == messages_.end() ? nullptr : &it->second;
}

int ModemLink::DeleteMessage(const std::string& path, BusConnection::ReplyHandler done) {
  uint64_t generation = generation_;
  return bus_.Call(
      mm::kService, modemPath_, mm::kMessaging, "Delete", kCallTimeoutMs,
      [path](sd_bus_message* call) { return sd_bus_message_append(call, "o", path.c_str()); },
      [this, generation, path, done](const BusReply& reply) {
        if (reply.error)
          NoteFailure(reply);
        else if (generation == generation_)
          Forget(path);
        done(reply);
      });
}

}  // namespace zeph::cardservice
