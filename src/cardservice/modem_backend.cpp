#include "cardservice/modem_backend.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cerrno>
#include <cstring>
#include <set>
#include <utility>

#include "cardservice/bus_properties.h"
#include "cardservice/control_commands.h"
#include "cardservice/modem_mapping.h"
#include "cardservice/received_blocks.h"
#include "cardservice/request_handler.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"

namespace zeph::cardservice {
using nlohmann::json;
namespace {

constexpr uint32_t kCallTimeoutMs = 10000;
// Less than the program's 120 s for a send, so that it hears the outcome.
constexpr uint32_t kSendTimeoutMs = 110000;
constexpr size_t kMaxSlots = 255;  // the counts are single bytes

int AppendCreate(sd_bus_message* call, const CreateArguments& arguments) {
  int r = sd_bus_message_open_container(call, 'a', "{sv}");
  if (r >= 0) r = sd_bus_message_append(call, "{sv}", "number", "s", arguments.number.c_str());
  if (r >= 0) r = sd_bus_message_append(call, "{sv}", "text", "s", arguments.text.c_str());
  if (r >= 0 && !arguments.smsc.empty())
    r = sd_bus_message_append(call, "{sv}", "smsc", "s", arguments.smsc.c_str());
  if (r >= 0 && arguments.deliveryReport)
    r = sd_bus_message_append(call, "{sv}", "delivery-report-request", "b", 1);
  return r < 0 ? r : sd_bus_message_close_container(call);
}

std::string Named(std::optional<int64_t> value, std::span<const char* const> names, int64_t first) {
  if (!value || *value < first || *value - first >= static_cast<int64_t>(names.size()))
    return "unknown";
  return names[static_cast<size_t>(*value - first)];
}

constexpr const char* kStateNames[] = {
    "failed",  "unknown",   "initializing", "locked",        "disabled",   "disabling", "enabling",
    "enabled", "searching", "registered",   "disconnecting", "connecting", "connected"};
constexpr const char* kRegistrationNames[] = {
    "idle",           "home",    "searching",       "denied",
    "unknown",        "roaming", "home (SMS only)", "roaming (SMS only)",
    "emergency only", "home",    "roaming",         "attached"};

// Verbs that make things happen to the emulated card; a real modem has no such handles.
const std::set<std::string, std::less<>> kEmulatorOnly = {
    "deliver", "fault", "connection", "long-messages", "sim-remove", "sim-insert", "sent-log"};

}  // namespace

ModemBackend::ModemBackend(CardModel& kept, Options options)
    : kept_(kept),
      link_(std::move(options.modemId), options.verbose,
            {[this] {
               // Whatever the old modem was doing is lost with it.
               for (auto& [ticket, fallback] : std::exchange(held_, {}))
                 Deliver(ticket, std::move(fallback));
               slots_.clear();
               read_.clear();
             },
             [this] { ++arrivals_; }}) {
  kept_.simPresent = true;  // the phonebook is the service's own
}

std::optional<CardBackend::Reply> ModemBackend::Answer(uint64_t ticket,
                                                       std::span<const uint8_t> request,
                                                       uint64_t nowMs) {
  if (auto refused = RefuseMalformed(request)) return std::move(*refused);
  uint32_t id = ReadU32(&request[wire::kMessageIdOffset]);
  switch (id) {
    case wire::kReadCardParamId: {
      uint32_t param = ReadU32(&request[wire::kParamNumberOffset]);
      uint8_t value[4];
      if (param == wire::kParamConnectionState) {
        WriteU32(value, ConnectionStateOf(link_.modem()));
        return MakeReply(id, 0, value);
      }
      value[0] = 1;  // long messages: ModemManager cuts them itself
      if (param == wire::kParamLongMessages) return MakeReply(id, 0, std::span(value, 1));
      break;
    }
    case wire::kWriteCardParamId: {
      // Long messages cannot be turned off: ModemManager cuts a long text itself.
      bool offRefused = request.size() > wire::kParamValueOffset &&
                        ReadU32(&request[wire::kParamNumberOffset]) == wire::kParamLongMessages &&
                        request[wire::kParamValueOffset] == 0;
      if (offRefused) return MakeReply(id, status::kNotWithModem);
      break;
    }
    case wire::kCardParam5Id:
      return CardInfo();
    case wire::kSendMessageId:
      return StartSend(ticket, request);
    case wire::kStoredCountsId:
      return StartCount(ticket);
    case wire::kReadStoredMessageId:
      return ReadSlot(request[wire::kStoredSlotOffset]);
    case wire::kDeleteStoredMessageId:
      return StartDelete(ticket, ReadU32(&request[wire::kHeaderSize]));
    case wire::kReadSimTextId:
      return OwnNumber();
    default:
      break;
  }
  return AnswerRequest(kept_, request, nowMs);
}

void ModemBackend::Finish(uint64_t ticket, Reply reply) {
  if (held_.erase(ticket)) Deliver(ticket, std::move(reply));
}

// ---- sending -----------------------------------------------------------------

std::optional<CardBackend::Reply> ModemBackend::StartSend(uint64_t ticket,
                                                          std::span<const uint8_t> request) {
  auto refuse = [](uint32_t status) { return MakeReply(wire::kSendMessageId, status); };
  SendRequest send;
  if (uint32_t refused = ReadSendRequest(request, send)) return refuse(refused);
  if (!ConnectionAllowsSending(ConnectionStateOf(link_.modem()))) return refuse(status::kNoNetwork);
  CreateArguments arguments;
  if (uint32_t refused = CreateArgumentsFor(send, kept_.centre, kept_.sendOptions, arguments))
    return refuse(refused);
  int r = link_.Call(
      link_.modemPath(), mm::kMessaging, "Create", kCallTimeoutMs,
      [arguments](sd_bus_message* call) { return AppendCreate(call, arguments); },
      [this, ticket](const BusReply& reply) { OnCreated(ticket, reply); });
  if (r < 0) return refuse(StatusOfBusError(r));
  Hold(ticket, refuse(status::kNoNetwork));
  return std::nullopt;
}

void ModemBackend::OnCreated(uint64_t ticket, const BusReply& reply) {
  const char* path = nullptr;
  int error = reply.error;
  if (!error && sd_bus_message_read(reply.message, "o", &path) < 0) error = -EBADMSG;
  if (error) {
    if (reply.error) link_.NoteFailure(reply);
    return Finish(ticket, MakeReply(wire::kSendMessageId, StatusOfBusError(error)));
  }
  std::string sms = path;
  if (!held_.count(ticket)) return DeleteSms(sms);  // the modem went meanwhile
  int r = link_.Call(sms, mm::kSms, "Send", kSendTimeoutMs, {},
                     [this, ticket, sms](const BusReply& sent) { OnSent(ticket, sms, sent); });
  if (r < 0) {
    Finish(ticket, MakeReply(wire::kSendMessageId, StatusOfBusError(r)));
    DeleteSms(sms);
  }
}

void ModemBackend::OnSent(uint64_t ticket, const std::string& sms, const BusReply& reply) {
  if (reply.error) {
    link_.NoteFailure(reply);
    Finish(ticket, MakeReply(wire::kSendMessageId, StatusOfBusError(reply.error)));
    return DeleteSms(sms);
  }
  link_.Call(
      sms, "org.freedesktop.DBus.Properties", "Get", kCallTimeoutMs,
      [](sd_bus_message* call) {
        return sd_bus_message_append(call, "ss", mm::kSms, "MessageReference");
      },
      [this, ticket, sms](const BusReply& got) {
        // The message went out; a reference that cannot be read is given as 0.
        uint32_t reference = 0;
        if (!got.error && sd_bus_message_read(got.message, "v", "u", &reference) < 0) reference = 0;
        uint8_t byte = static_cast<uint8_t>(reference & 0xFF);
        Finish(ticket, MakeReply(wire::kSendMessageId, 0, std::span(&byte, 1)));
        DeleteSms(sms);
      });
}

// A sent or failed message object is of no further use on the modem.
void ModemBackend::DeleteSms(const std::string& sms) {
  link_.DeleteMessage(sms, [](const BusReply&) {});
}

// ---- the received messages ---------------------------------------------------------

std::optional<CardBackend::Reply> ModemBackend::StartCount(uint64_t ticket) {
  if (!link_.Refresh([this, ticket] { Finish(ticket, Counts()); })) return Counts();
  Hold(ticket, MakeReply(wire::kStoredCountsId, 0, std::array<uint8_t, 3>{}));
  return std::nullopt;
}

// Counting is where a reading pass starts: the slots stay as counted until
// the next count, so the program reads and deletes by stable indices.
CardBackend::Reply ModemBackend::Counts() {
  slots_ = link_.ReceivedInOrder();
  if (slots_.size() > kMaxSlots) slots_.resize(kMaxSlots);  // the rest at the next pass
  std::set<std::string> stillThere(slots_.begin(), slots_.end());
  std::erase_if(read_, [&](const std::string& path) { return !stillThere.count(path); });
  std::array<uint8_t, 3> counts{};
  for (const auto& path : slots_) ++counts[read_.count(path) ? 1 : 0];
  return MakeReply(wire::kStoredCountsId, 0, counts);
}

CardBackend::Reply ModemBackend::ReadSlot(size_t slot) {
  const ModemLink::Message* message =
      slot < slots_.size() ? link_.FindMessage(slots_[slot]) : nullptr;
  if (!message) return MakeReply(wire::kReadStoredMessageId, status::kEmptySlot);
  read_.insert(slots_[slot]);
  return MakeReply(wire::kReadStoredMessageId, 0,
                   BlockFromSms(message->properties, LocalTimeNow()));
}

std::optional<CardBackend::Reply> ModemBackend::StartDelete(uint64_t ticket, size_t slot) {
  auto reply = [](uint32_t status) { return MakeReply(wire::kDeleteStoredMessageId, status); };
  if (slot >= slots_.size() || !link_.FindMessage(slots_[slot])) return reply(status::kEmptySlot);
  int r = link_.DeleteMessage(slots_[slot], [this, ticket, reply](const BusReply& deleted) {
    Finish(ticket, reply(deleted.error ? StatusOfBusError(deleted.error) : 0));
  });
  if (r < 0) return reply(StatusOfBusError(r));
  Hold(ticket, reply(status::kEmptySlot));
  return std::nullopt;
}

// ---- the rest ----------------------------------------------------------------------

// The number the user set wins: a SIM often holds no own number, or an old one.
CardBackend::Reply ModemBackend::OwnNumber() const {
  std::string number = kept_.ownNumber;
  const PropertyMap* core = link_.modem() ? InterfaceOf(*link_.modem(), mm::kModem) : nullptr;
  const auto* own = core ? PropertyAs<std::vector<std::string>>(*core, "OwnNumbers") : nullptr;
  if (number.empty() && own && !own->empty())
    number = own->front().substr(0, wire::kMaxNumberLength);
  std::vector<uint8_t> text(number.begin(), number.end());
  text.push_back(0);
  return MakeReply(wire::kReadSimTextId, 0, text);
}

CardBackend::Reply ModemBackend::CardInfo() const {
  const PropertyMap* core = link_.modem() ? InterfaceOf(*link_.modem(), mm::kModem) : nullptr;
  std::string text = "ModemManager";
  if (core) text += ": " + TextProperty(*core, "Manufacturer") + " " + TextProperty(*core, "Model");
  std::vector<uint8_t> info(wire::kCardParam5ReplySize);
  std::memcpy(info.data(), text.data(), std::min(text.size(), info.size() - 1));
  return MakeReply(wire::kCardParam5Id, 0, info);
}

std::string ModemBackend::Control(std::string_view line, uint64_t nowMs) {
  json command = json::parse(line, nullptr, false);
  const json* verb = command.is_object() ? &command["verb"] : nullptr;
  if (verb && verb->is_string() && kEmulatorOnly.count(verb->get<std::string>()))
    return json{{"ok", false}, {"error", "not available with a modem"}}.dump();
  if (verb && *verb == "show") return Show();
  return RunControlCommand(kept_, line, nowMs);  // the centre, send options and phonebook
}

std::string ModemBackend::Show() const {
  json modem = nullptr;
  if (const BusObject* object = link_.modem()) {
    const PropertyMap none;
    const PropertyMap* core = InterfaceOf(*object, mm::kModem);
    const PropertyMap* gpp = InterfaceOf(*object, mm::kModem3gpp);
    if (!core) core = &none;
    if (!gpp) gpp = &none;
    std::optional<int64_t> state = IntProperty(*core, "State");
    modem = {{"path", link_.modemPath()},
             {"manufacturer", TextProperty(*core, "Manufacturer")},
             {"model", TextProperty(*core, "Model")},
             {"equipmentId", TextProperty(*core, "EquipmentIdentifier")},
             {"state", Named(state, kStateNames, -1)},
             {"operator", TextProperty(*gpp, "OperatorName")},
             {"registration", Named(IntProperty(*gpp, "RegistrationState"), kRegistrationNames, 0)},
             {"signalQuality", IntProperty(*core, "SignalQuality").value_or(0)},
             {"messaging", link_.HasMessaging()}};
    // SIM PIN: never entered here (the program cannot ask for one); locked reads as no connection.
    if (state == mm::kStateLocked)
      modem["note"] = "the SIM asks for its PIN: unlock it, e.g. with mmcli --pin";
  }
  json reply = {{"ok", true},
                {"backend", "modem"},
                {"bus", link_.busOpen()},
                {"modemManager", link_.modemManagerRunning()},
                {"modem", modem},
                {"connectionState", ConnectionStateOf(link_.modem())},
                {"received", link_.ReceivedInOrder().size()},
                {"centre", kept_.centre.number},
                {"sendOptions",
                 {{"replyPath", kept_.sendOptions.replyPath},
                  {"deliveryReports", kept_.sendOptions.deliveryReports},
                  {"option3", kept_.sendOptions.option3}}},
                {"ownNumber", kept_.ownNumber}};
  if (!link_.lastError().empty()) reply["lastError"] = link_.lastError();
  return reply.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace zeph::cardservice
