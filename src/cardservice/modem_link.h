#pragma once
// ModemManager as the modem backend sees it: the bus connection, which
// modem is in use and what it says about itself, and the messages it holds.
// It follows ModemManager coming and going (NameOwnerChanged), modems
// appearing and disappearing (InterfacesAdded, InterfacesRemoved), their
// properties (PropertiesChanged) and their messages (Messaging's Added and
// Deleted, and List whenever the backend counts), so that a modem that
// vanished and came back, or a restarted ModemManager, is picked up again
// without a restart. A connection to the bus that breaks is opened again
// every second. Signals are taken only from ModemManager's current owner.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cardservice/bus_connection.h"
#include "cardservice/modem_properties.h"

namespace zeph::cardservice {

class ModemLink {
 public:
  struct Events {
    // The modem came, went, lost or gained its Messaging interface, or the
    // bus broke: whatever was pending on the old one is to be answered now.
    std::function<void()> modemChanged;
    // A message reached state RECEIVED: once per message.
    std::function<void()> messageReceived;
  };
  struct Message {
    PropertyMap properties;  // of the Sms interface
    uint64_t order = 0;      // when it was first seen
    bool loaded = false;     // its properties were read
    bool announced = false;
    std::vector<std::function<void()>> waiting;  // run once it is read, or forgotten
  };

  // `modemId`: the EquipmentIdentifier of the modem to use (empty: the first).
  ModemLink(std::string modemId, bool verbose, Events events);

  // Part of the server's poll loop (card_backend.h).
  void AddPollFds(std::vector<pollfd>& fds) const;
  std::optional<uint64_t> NextDue() const;
  void Advance(uint64_t nowMs, std::span<const pollfd> ownFds);

  // The modem in use and its object; none when there is none.
  const std::string& modemPath() const { return modemPath_; }
  const BusObject* modem() const;
  // Whether the modem in use has its Messaging interface (an unlocked,
  // enabled modem).
  bool HasMessaging() const;

  // Lists the modem's messages again, reads those not known yet, forgets
  // those gone, and calls `done` (also when listing failed: the messages
  // known stay). False, with `done` never called, when the call could not
  // be made.
  bool Refresh(std::function<void()> done);
  // The messages in state RECEIVED whose properties are known, in the
  // order they were first seen.
  std::vector<std::string> ReceivedInOrder() const;
  const Message* FindMessage(const std::string& path) const;
  // Messaging.Delete; the message is forgotten when it succeeds.
  int DeleteMessage(const std::string& path, BusConnection::ReplyHandler done);

  // A call to ModemManager; see BusConnection::Call.
  int Call(const std::string& path, const char* interface, const char* member, uint32_t timeoutMs,
           const BusConnection::Arguments& arguments, BusConnection::ReplyHandler done);

  // Notes a failed call: the last error `show` reports; an authorization
  // refusal is also said once on stderr, with what to do about it.
  void NoteFailure(const BusReply& reply);
  const std::string& lastError() const { return lastError_; }
  bool busOpen() const { return bus_.IsOpen(); }
  bool modemManagerRunning() const { return !owner_.empty(); }

 private:
  void Connect(uint64_t nowMs);
  void Disconnect(uint64_t nowMs);
  void LoadObjects();
  void PickModem();
  void OnListed(const BusReply& reply, const std::function<void()>& done);
  void Fetch(const std::string& path, std::function<void()> then);
  void Forget(const std::string& path);
  void ForgetAll();
  void AnnounceIfReceived(Message& message);
  bool FromModemManager(sd_bus_message* message) const;
  void OnNameOwnerChanged(sd_bus_message* message);
  void OnObjectManager(sd_bus_message* message);
  void OnPropertiesChanged(sd_bus_message* message);
  void OnMessaging(sd_bus_message* message);
  void Log(const std::string& text) const;

  BusConnection bus_;
  std::string modemId_;
  bool verbose_;
  Events events_;
  uint64_t reconnectAtMs_ = 0;
  std::string owner_;  // ModemManager's unique name; empty while it is not on the bus
  std::map<std::string, BusObject> objects_;  // ModemManager's objects by path
  std::string modemPath_;
  bool messaging_ = false;
  // Bumped whenever the modem, ModemManager or the bus changes: an answer
  // to a call made before belongs to the old one and is dropped.
  uint64_t generation_ = 0;
  std::map<std::string, Message> messages_;  // the modem's messages by path
  uint64_t nextOrder_ = 0;
  std::string lastError_;
  bool refusalSaid_ = false;
};

}  // namespace zeph::cardservice
