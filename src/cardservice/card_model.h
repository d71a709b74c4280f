#pragma once
// The emulated card: its parameters and settings, its message store, the SIM
// and its phonebook, and the network behind it. No sockets here: the server
// feeds requests in (request_handler.h) and control commands
// (control_commands.h), and asks what is due. Times are milliseconds of a
// monotonic clock, passed in by the caller, so tests drive the clock.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/devicelink/device_requests.h"

namespace zeph::cardservice {

inline constexpr size_t kStoreSlots = 30;
inline constexpr size_t kSimCapacity = 250;
inline constexpr uint32_t kDefaultNameLimit = 20;
inline constexpr const char* kEchoNumber = "+10000";

// Connection states offered by zeph-cardctl.
inline constexpr uint32_t kStateGsm = 0x202;        // GSM, registered
inline constexpr uint32_t kStateGprs = 0x402;       // GPRS, attached
inline constexpr uint32_t kStateSearching = 0x201;  // GSM, searching for a network
inline constexpr uint32_t kStateNone = 0;           // no connection

// A message held in the card's store.
struct StoredMessage {
  std::vector<uint8_t> block;  // the CardMessage, as 0x290007 hands it out
  bool read = false;           // handed out by 0x290007 since it arrived
};

struct SimEntry {
  std::string name;    // Windows-1252, at most the name limit
  std::string number;  // at most 22 characters
};

// One message the network accepted (0x290000), for zeph-cardctl's log.
struct SentMessage {
  uint8_t reference = 0;
  std::string destination;
  uint8_t kind = 0;
  bool flagA = false;
  bool replyPath = false;
  std::string serviceCentre;
  std::string text;  // Windows-1252; the picture message's text, the card's text
  std::string time;  // local time, "YYYY-MM-DD hh:mm:ss"
};

// Faults the card service can be told to show. Not saved.
struct Faults {
  uint32_t delayMs = 0;                       // every request is answered this much later
  uint32_t failSends = 0;                     // the next N sends are refused ...
  uint32_t failStatus = 0x0420;               // ... with this status
  std::map<uint32_t, uint32_t> errorReplies;  // request id -> answers left (0: every one)
  bool closeNext = false;                     // close the connection at its next request
  std::string closePipe;                      // ... only a connection of this pipe (empty: any)
  bool staleReply = false;                    // send the next reply twice
  bool refuseOpens = false;                   // answer every open with a refusal
  bool silentOpens = false;                   // accept connections but never answer their open
  bool holdSends = false;                     // never answer a send (0x290000)
};

// What the network takes in a send (0x290000).
struct SendRequest {
  bool flagA = false;
  std::string destination;
  std::vector<uint8_t> block;  // head and data
};

// 0 when `request` is one the network takes: a destination of digits and
// '+' up to 22 characters, a block whose data length matches and fits its
// kind; else kBadDestination or kBadMessage.
uint32_t CheckSendRequest(const SendRequest& request);

class CardModel {
 public:
  CardModel();

  // ---- parameters and settings (saved) ----
  std::map<uint32_t, std::vector<uint8_t>> params;  // 0x0B0001 / 0x0B0002
  CentreSettings centre;
  SendOptions sendOptions;
  std::string ownNumber;  // the SIM's own number (0x2A0007); sends to it come back
  bool simPresent = true;
  uint32_t nameLimit = kDefaultNameLimit;
  std::map<uint16_t, SimEntry> phonebook;  // by location, 1 to 250
  uint8_t nextReference = 0;

  // ---- not saved ----
  Faults faults;
  std::vector<SentMessage> sentLog;
  uint32_t reportDelayMs = 2000;
  uint32_t echoDelayMs = 1000;

  // The connection state as requests see it: without a SIM no network takes
  // the card, so a connected state reads as searching.
  uint32_t ConnectionState() const;
  void SetConnectionState(uint32_t state);
  uint8_t LongMessages() const;

  // ---- the message store ----
  // The three counts of 0x290009: [0] messages not yet read, [1] messages
  // read and still stored, [2] messages the program leaves on the card
  // (status bit 0x08 set, or kind 2). Counting is where a reading pass
  // starts, so it also closes the gaps that deletes left: messages move down
  // to slots 0 to total - 1 in the order they arrived. Between two counts a
  // message keeps its slot, so a pass reads and deletes by stable indices.
  std::array<uint8_t, 3> CountStored();
  StoredMessage* Slot(size_t index);
  bool DeleteSlot(size_t index);
  size_t StoredCount() const;
  // A message that reached the card now: into the lowest free slot, or held
  // by the network while the store is full (it comes in when a slot frees).
  void Arrive(std::vector<uint8_t> block);
  // A message the network hands over at `dueMs`.
  void Schedule(std::vector<uint8_t> block, uint64_t dueMs);
  // Hands over what is due; the time of the next due message, if any.
  void Advance(uint64_t nowMs);
  std::optional<uint64_t> NextDue() const;
  // Messages that reached the store since the last call: one indication each.
  int TakeArrivals();
  size_t HeldByNetwork() const { return held_.size() + scheduled_.size(); }

  // ---- the network ----
  // 0 and the reference on success, else the status the card answers.
  struct SendOutcome {
    uint32_t status = 0;
    uint8_t reference = 0;
  };
  SendOutcome Send(const SendRequest& request, uint64_t nowMs);

  // ---- the SIM phonebook ----
  std::optional<uint16_t> AddEntry(const std::string& name, const std::string& number);
  bool ReplaceEntry(uint16_t location, const std::string& name, const std::string& number);
  bool DeleteEntry(uint16_t location);

  // Set whenever something saved changed; the server saves and clears it.
  bool dirty = false;

  // The stored messages in slot order (state file), and restoring them.
  const std::array<std::optional<StoredMessage>, kStoreSlots>& slots() const { return slots_; }
  void RestoreSlot(size_t index, StoredMessage message);
  const std::vector<std::vector<uint8_t>>& held() const { return held_; }

 private:
  std::string CutName(const std::string& name) const;

  std::array<std::optional<StoredMessage>, kStoreSlots> slots_;
  std::vector<std::vector<uint8_t>> held_;  // arrived while the store was full, oldest first
  std::multimap<uint64_t, std::vector<uint8_t>> scheduled_;
  int arrivals_ = 0;
};

// The status codes the emulated card answers with (0 is success).
namespace status {
inline constexpr uint32_t kBadLayout = 0x0201;     // a request whose length breaks its layout
inline constexpr uint32_t kUnknownParam = 0x0202;  // no such card parameter
inline constexpr uint32_t kNoSim = 0x0301;
inline constexpr uint32_t kPhonebookFull = 0x0302;
inline constexpr uint32_t kNoEntry = 0x0303;    // no entry at that location
inline constexpr uint32_t kEmptySlot = 0x0311;  // no stored message in that slot
inline constexpr uint32_t kNoNetwork = 0x0401;  // not on a GSM or GPRS connection
inline constexpr uint32_t kBadDestination = 0x0402;
inline constexpr uint32_t kBadMessage = 0x0403;      // data length or kind does not fit
inline constexpr uint32_t kNotWithModem = 0x0404;    // a modem cannot send this (a picture message)
inline constexpr uint32_t kModemError = 0x0500;      // plus the errno of a failed bus call
inline constexpr uint32_t kUnknownRequest = 0xFFFF;  // with the error reply
inline constexpr uint32_t kOpenRefused = 0x0101;     // open: unknown pipe name or refusal
}  // namespace status

}  // namespace zeph::cardservice
