#include "cardservice/state_file.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>

#include "core/codecs/card_message_layout.h"
#include "core/util/atomic_file.h"
#include "core/util/cp1252.h"
#include "core/util/hex_text.h"

namespace zeph::cardservice {
using nlohmann::json;

namespace {

constexpr int kStateVersion = 1;

std::vector<uint8_t> BytesFromHex(const std::string& hex) {
  auto bytes = FromHex(hex);
  if (!bytes) throw std::invalid_argument("bad hex digits");
  return std::move(*bytes);
}

// A stored block must hold at least the 62-byte head the program reads.
std::vector<uint8_t> BlockFromHex(const std::string& hex) {
  auto block = BytesFromHex(hex);
  if (block.size() < card_message::kHeadSize) throw std::invalid_argument("block too short");
  return block;
}

json ToJson(const CardModel& card) {
  json params = json::object();
  for (const auto& [number, value] : card.params) params[std::to_string(number)] = ToHex(value);
  json phonebook = json::array();
  for (const auto& [location, entry] : card.phonebook)
    phonebook.push_back(
        {{"location", location}, {"name", Utf8FromCp1252(entry.name)}, {"number", entry.number}});
  json store = json::array();
  for (size_t i = 0; i < kStoreSlots; ++i) {
    const auto& slot = card.slots()[i];
    if (slot) store.push_back({{"slot", i}, {"read", slot->read}, {"block", ToHex(slot->block)}});
  }
  json held = json::array();
  for (const auto& block : card.held()) held.push_back(ToHex(block));
  return {{"version", kStateVersion},
          {"params", params},
          {"centre",
           {{"number", card.centre.number},
            {"value16", card.centre.value16},
            {"value32", card.centre.value32}}},
          {"sendOptions",
           {{"replyPath", card.sendOptions.replyPath},
            {"deliveryReports", card.sendOptions.deliveryReports},
            {"option3", card.sendOptions.option3}}},
          {"ownNumber", card.ownNumber},
          {"nextReference", card.nextReference},
          {"sim",
           {{"present", card.simPresent}, {"nameLimit", card.nameLimit}, {"phonebook", phonebook}}},
          {"store", store},
          {"heldByNetwork", held}};
}

void FromJson(const json& state, CardModel& card) {
  for (const auto& [number, value] : state.at("params").items())
    card.params[static_cast<uint32_t>(std::stoul(number))] = BytesFromHex(value.get<std::string>());
  const json& centre = state.at("centre");
  card.centre.number = centre.at("number").get<std::string>().substr(0, 22);
  card.centre.value16 = centre.at("value16").get<uint16_t>();
  card.centre.value32 = centre.at("value32").get<uint32_t>();
  const json& options = state.at("sendOptions");
  card.sendOptions = {options.at("replyPath").get<uint32_t>(),
                      options.at("deliveryReports").get<uint32_t>(),
                      options.at("option3").get<uint32_t>()};
  card.ownNumber = state.at("ownNumber").get<std::string>().substr(0, 22);
  card.nextReference = state.at("nextReference").get<uint8_t>();
  const json& sim = state.at("sim");
  card.simPresent = sim.at("present").get<bool>();
  card.nameLimit = sim.at("nameLimit").get<uint32_t>();
  for (const json& entry : sim.at("phonebook")) {
    auto location = entry.at("location").get<uint16_t>();
    if (location == 0 || location > kSimCapacity) throw std::invalid_argument("bad location");
    card.phonebook[location] = {Cp1252FromUtf8(entry.at("name").get<std::string>()).substr(0, 20),
                                entry.at("number").get<std::string>().substr(0, 22)};
  }
  for (const json& slot : state.at("store")) {
    auto index = slot.at("slot").get<size_t>();
    if (index >= kStoreSlots) throw std::invalid_argument("bad slot");
    card.RestoreSlot(
        index, {BlockFromHex(slot.at("block").get<std::string>()), slot.at("read").get<bool>()});
  }
  for (const json& block : state.at("heldByNetwork"))
    card.Arrive(BlockFromHex(block.get<std::string>()));
  card.TakeArrivals();  // restored, not newly arrived
}

}  // namespace

std::string DefaultStatePath(bool modem) {
  const char* stateHome = std::getenv("XDG_STATE_HOME");
  std::filesystem::path base;
  if (stateHome && *stateHome) {
    base = stateHome;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home && *home ? home : ".") / ".local" / "state";
  }
  return (base / "zeph" / (modem ? "cardservice-modem.json" : "cardservice.json")).string();
}

LoadResult LoadState(const std::string& path, CardModel& card, std::string& error) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) return LoadResult::kMissing;
    error = "cannot read the file";
    card = CardModel();
    return LoadResult::kCorrupt;
  }
  try {
    json state = json::parse(bytes->begin(), bytes->end());
    if (state.at("version").get<int>() != kStateVersion)
      throw std::invalid_argument("unknown version");
    CardModel loaded;
    FromJson(state, loaded);
    card = std::move(loaded);
    card.dirty = false;
    return LoadResult::kLoaded;
  } catch (const std::exception& e) {
    error = e.what();
    card = CardModel();
    return LoadResult::kCorrupt;
  }
}

bool SaveState(const std::string& path, const CardModel& card) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  std::string text = ToJson(card).dump(2, ' ', false, json::error_handler_t::replace) + "\n";
  // Unsynced: the rename keeps the file whole if the service dies; losing the
  // last change at a power cut is acceptable for an emulated card.
  return WriteFileAtomically(path,
                             std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
                             Durability::kUnsynced);
}

}  // namespace zeph::cardservice
