#pragma once
// The card's state between runs: parameters, message-centre settings, send
// options, the SIM and its phonebook, the stored messages and those the
// network holds for a full store. A JSON file, by default
// $XDG_STATE_HOME/zeph/cardservice.json (~/.local/state when unset).
// docs/card-service.md shows its fields. Faults, the log of sent messages
// and messages still on their way (reports, echoes) are not kept.

#include <string>

#include "cardservice/card_model.h"

namespace zeph::cardservice {

// $XDG_STATE_HOME/zeph/cardservice.json, or cardservice-modem.json for a
// modem: the emulated card's SIM and store are not the modem's.
std::string DefaultStatePath(bool modem = false);

enum class LoadResult { kLoaded, kMissing, kCorrupt };

// Fills `card` from the file. kMissing leaves `card` as it was; kCorrupt
// (not JSON, or a field of the wrong type) resets it to a fresh card and
// puts the reason in `error`.
LoadResult LoadState(const std::string& path, CardModel& card, std::string& error);

// Writes the file whole (a reader never sees a cut file); makes its folder
// when missing. False when it cannot be written.
bool SaveState(const std::string& path, const CardModel& card);

}  // namespace zeph::cardservice
