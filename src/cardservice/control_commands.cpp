#include "cardservice/control_commands.h"

#include <nlohmann/json.hpp>

#include <optional>

#include "cardservice/received_blocks.h"
#include "core/codecs/card_message_layout.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/cp1252.h"
#include "core/util/fixed_text.h"
#include "core/util/hex_text.h"

namespace zeph::cardservice {
namespace cm = card_message;
using nlohmann::json;

namespace {

constexpr const char* kDefaultSender = "+15550100";

// A command the service cannot carry out; its text is the reply's error.
struct CommandError {
  std::string text;
};

template <typename T>
T Field(const json& command, const char* name, T fallback) {
  auto it = command.find(name);
  if (it == command.end() || it->is_null()) return fallback;
  try {
    return it->get<T>();
  } catch (const json::exception&) {
    throw CommandError{std::string("bad value for \"") + name + "\""};
  }
}

std::string TextField(const json& command, const char* name, const std::string& fallback = {}) {
  return Field<std::string>(command, name, fallback);
}

PictureImage PictureField(const json& command) {
  auto bytes = FromHex(TextField(command, "picture"));
  PictureImage picture{};
  if (!bytes || bytes->size() != picture.size())
    throw CommandError{"\"picture\" needs 504 hex digits"};
  std::copy(bytes->begin(), bytes->end(), picture.begin());
  return picture;
}

json Deliver(CardModel& card, const json& command, uint64_t nowMs) {
  std::string type = TextField(command, "type", "text");
  BlockHead head;
  head.number = Cp1252FromUtf8(TextField(command, "from", kDefaultSender));
  head.serviceCentre = Cp1252FromUtf8(TextField(command, "centre", card.centre.number));
  head.time = LocalTimeNow();
  head.status = Field<uint8_t>(command, "status", cm::kStatusReceived);
  head.protocolId = Field<uint8_t>(command, "protocolId", 0);
  head.firstOctet = Field<bool>(command, "replyPath", false) ? cm::kReplyPathBit : 0;
  head.reference = Field<uint8_t>(command, "reference", 0);
  std::string text = TextField(command, "text");
  std::vector<uint8_t> data;
  if (type == "text") {
    head.kind = cm::kKindText8;
    std::string coded = Cp1252FromUtf8(text);
    data.assign(coded.begin(), coded.end());
  } else if (type == "text16") {
    head.kind = cm::kKindText16;
    data = WideFromUtf8(text);
  } else if (type == "picture" || type == "picture16") {
    head.kind = type == "picture" ? cm::kKindPicture : cm::kKindPicture16;
    data = ReceivedPictureData(Cp1252FromUtf8(text), type == "picture16", PictureField(command));
  } else if (type == "business-card") {
    head.kind = cm::kKindBusinessCard;
    std::string coded = Cp1252FromUtf8(TextField(command, "card"));
    data.assign(coded.begin(), coded.end());
  } else if (type == "report") {
    head.kind = cm::kKindReport;
    head.reportStatus = Field<uint8_t>(command, "reportStatus", cm::kReportDelivered);
    if (!command.contains("reference")) throw CommandError{"a report needs \"reference\""};
  } else if (type == "unknown") {
    head.kind = cm::kKindUnknownData;
    data = {0x06, 0x05, 0x04, 0x15, 0x82, 0x00, 0x00};  // some port-addressed data
  } else {
    throw CommandError{"unknown message type \"" + type + "\""};
  }
  head.kind = Field<uint8_t>(command, "kind", head.kind);
  if (data.size() > 0xFFFF) throw CommandError{"message data longer than 65535 bytes"};
  auto block = BuildReceivedBlock(head, data);
  uint32_t delayMs = Field<uint32_t>(command, "delayMs", 0);
  if (delayMs > 0) {
    card.Schedule(std::move(block), nowMs + delayMs);
    return {{"ok", true}, {"scheduled", true}};
  }
  size_t heldBefore = card.held().size();
  card.Arrive(std::move(block));
  return {{"ok", true}, {"stored", card.held().size() == heldBefore}};
}

uint32_t ConnectionStateNamed(const std::string& name) {
  if (name == "gsm") return kStateGsm;
  if (name == "gprs") return kStateGprs;
  if (name == "none") return kStateNone;
  if (name == "searching") return kStateSearching;
  throw CommandError{"unknown connection state \"" + name + "\" (gsm, gprs, none, searching)"};
}

json SimEntries(const CardModel& card) {
  json entries = json::array();
  for (const auto& [location, entry] : card.phonebook)
    entries.push_back(
        {{"location", location}, {"name", Utf8FromCp1252(entry.name)}, {"number", entry.number}});
  return entries;
}

json SentLog(const CardModel& card) {
  json messages = json::array();
  for (const auto& sent : card.sentLog)
    messages.push_back({{"reference", sent.reference},
                        {"to", sent.destination},
                        {"kind", sent.kind},
                        {"flagA", sent.flagA},
                        {"replyPath", sent.replyPath},
                        {"serviceCentre", sent.serviceCentre},
                        {"text", Utf8FromCp1252(sent.text)},
                        {"time", sent.time}});
  return messages;
}

json SetFaults(CardModel& card, const json& command) {
  Faults& faults = card.faults;
  if (Field<bool>(command, "clear", false)) faults = Faults{};
  faults.delayMs = Field<uint32_t>(command, "delayMs", faults.delayMs);
  if (command.contains("failSends")) {
    faults.failSends = Field<uint32_t>(command, "failSends", 0);
    faults.failStatus = Field<uint32_t>(command, "failStatus", faults.failStatus);
  }
  if (command.contains("errorReply")) {
    uint32_t count = Field<uint32_t>(command, "count", 1);
    faults.errorReplies[Field<uint32_t>(command, "errorReply", 0)] = count;
  }
  if (Field<bool>(command, "closeNext", false)) {
    faults.closeNext = true;
    faults.closePipe = TextField(command, "pipe");
  }
  if (Field<bool>(command, "staleReply", false)) faults.staleReply = true;
  faults.refuseOpens = Field<bool>(command, "refuseOpens", faults.refuseOpens);
  faults.silentOpens = Field<bool>(command, "silentOpens", faults.silentOpens);
  faults.holdSends = Field<bool>(command, "holdSends", faults.holdSends);
  json errorReplies = json::object();
  for (auto [id, left] : faults.errorReplies) errorReplies[std::to_string(id)] = left;
  return {{"ok", true},
          {"faults",
           {{"delayMs", faults.delayMs},
            {"failSends", faults.failSends},
            {"failStatus", faults.failStatus},
            {"errorReplies", errorReplies},
            {"closeNext", faults.closeNext},
            {"staleReply", faults.staleReply},
            {"refuseOpens", faults.refuseOpens},
            {"silentOpens", faults.silentOpens},
            {"holdSends", faults.holdSends}}}};
}

json Show(CardModel& card) {
  json stored = json::array();
  for (size_t i = 0; i < kStoreSlots; ++i) {
    const auto& slot = card.slots()[i];
    if (!slot) continue;
    const auto& block = slot->block;
    stored.push_back(
        {{"slot", i},
         {"kind", block[cm::kKindOffset]},
         {"status", block[cm::kStatusOffset]},
         {"read", slot->read},
         {"from", Utf8FromCp1252(BoundedText(&block[cm::kNumberOffset], cm::kNumberFieldSize))}});
  }
  return {{"ok", true},
          {"backend", "emulator"},
          {"connectionState", card.ConnectionState()},
          {"longMessages", card.LongMessages()},
          {"centre", card.centre.number},
          {"sendOptions",
           {{"replyPath", card.sendOptions.replyPath},
            {"deliveryReports", card.sendOptions.deliveryReports},
            {"option3", card.sendOptions.option3}}},
          {"ownNumber", card.ownNumber},
          {"simPresent", card.simPresent},
          {"stored", stored},
          {"heldByNetwork", card.HeldByNetwork()}};
}

json Run(CardModel& card, const json& command, uint64_t nowMs) {
  std::string verb = TextField(command, "verb");
  if (verb == "deliver") return Deliver(card, command, nowMs);
  if (verb == "connection") {
    card.SetConnectionState(command.contains("value")
                                ? Field<uint32_t>(command, "value", 0)
                                : ConnectionStateNamed(TextField(command, "state")));
    return {{"ok", true}, {"connectionState", card.ConnectionState()}};
  }
  if (verb == "long-messages") {
    card.params[wire::kParamLongMessages] = {
        static_cast<uint8_t>(Field<bool>(command, "on", true))};
    card.dirty = true;
    return {{"ok", true}};
  }
  if (verb == "send-options") {
    auto& options = card.sendOptions;
    options.replyPath = Field<bool>(command, "replyPath", options.replyPath != 0);
    options.deliveryReports = Field<bool>(command, "deliveryReports", options.deliveryReports != 0);
    options.option3 = Field<bool>(command, "option3", options.option3 != 0);
    card.dirty = true;
    return {{"ok", true}};
  }
  if (verb == "own-number") {  // with a modem, empty gives the modem's own number again
    card.ownNumber = TextField(command, "number").substr(0, wire::kMaxNumberLength);
    card.dirty = true;
    return {{"ok", true}};
  }
  if (verb == "centre") {
    card.centre.number = TextField(command, "number", card.centre.number).substr(0, 22);
    card.dirty = true;
    return {{"ok", true}};
  }
  if (verb == "sim-list")
    return {{"ok", true}, {"present", card.simPresent}, {"entries", SimEntries(card)}};
  if (verb == "sim-add") {
    auto location =
        card.AddEntry(Cp1252FromUtf8(TextField(command, "name")), TextField(command, "number"));
    if (!location) throw CommandError{"the SIM phonebook is full"};
    return {{"ok", true}, {"location", *location}};
  }
  if (verb == "sim-edit") {
    auto location = Field<uint16_t>(command, "location", 0);
    auto it = card.phonebook.find(location);
    if (it == card.phonebook.end()) throw CommandError{"no entry at that location"};
    card.ReplaceEntry(location,
                      Cp1252FromUtf8(TextField(command, "name", Utf8FromCp1252(it->second.name))),
                      TextField(command, "number", it->second.number));
    return {{"ok", true}};
  }
  if (verb == "sim-delete") {
    if (!card.DeleteEntry(Field<uint16_t>(command, "location", 0)))
      throw CommandError{"no entry at that location"};
    return {{"ok", true}};
  }
  if (verb == "sim-remove" || verb == "sim-insert") {
    card.simPresent = verb == "sim-insert";
    card.dirty = true;
    return {{"ok", true}};
  }
  if (verb == "sent-log") return {{"ok", true}, {"messages", SentLog(card)}};
  if (verb == "fault") return SetFaults(card, command);
  if (verb == "show") return Show(card);
  throw CommandError{"unknown verb \"" + verb + "\""};
}

}  // namespace

std::string RunControlCommand(CardModel& card, std::string_view line, uint64_t nowMs) {
  json reply;
  try {
    json command = json::parse(line);
    if (!command.is_object()) throw CommandError{"a command is a JSON object"};
    reply = Run(card, command, nowMs);
  } catch (const CommandError& error) {
    reply = {{"ok", false}, {"error", error.text}};
  } catch (const std::exception& error) {
    reply = {{"ok", false}, {"error", std::string("bad command: ") + error.what()}};
  }
  return reply.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace zeph::cardservice
