#pragma once
// zeph-cardctl's commands to the card service: one JSON object a line in,
// one JSON object a line out. docs/cardctl.md lists the verbs and fields.
//
//   {"verb": "deliver", "type": "text", "text": "Hello", "from": "+4917..."}
//   -> {"ok": true, "slot": 0}
//   -> {"ok": false, "error": "..."}

#include <cstdint>
#include <string>
#include <string_view>

#include "cardservice/card_model.h"

namespace zeph::cardservice {

// Carries out one command line; the reply line (without its line feed).
// Never throws: a line that is not a JSON object, an unknown verb or a bad
// field gives {"ok": false, "error": ...}.
std::string RunControlCommand(CardModel& card, std::string_view line, uint64_t nowMs);

}  // namespace zeph::cardservice
