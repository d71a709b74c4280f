#pragma once
// The card's own settings as the card settings program shows and changes
// them: read all at once, written back only where the user changed them,
// each through its request of the catalogue (devicelink/device_requests.h).
// The service keeps them, so the desktop program sees a change at its next
// request.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/devicelink/device_requests.h"
#include "core/devicelink/pipe.h"
#include "core/devicelink/result_codes.h"

namespace zeph {

struct CardSettings {
  CentreSettings centre;  // its two further values are written back as read
  SendOptions sendOptions;
  bool longMessages = true;  // card parameter 0x510C
  std::string ownNumber;     // Windows-1252, at most 22 characters
};

// Which setting a read or write stopped at.
enum class CardSettingPart { kNone, kCentre, kSendOptions, kLongMessages, kOwnNumber };

struct CardSettingsResult {
  uint32_t result = kResultOk;  // the device link's code of the failed request
  CardSettingPart failed = CardSettingPart::kNone;
  bool ok() const { return result == kResultOk; }
};

// Reads every setting into `settings`; on failure the first request that
// failed, and `settings` untouched.
CardSettingsResult ReadCardSettings(Pipe& pipe, CardSettings& settings);

// Writes what differs between `current` (as last read) and `wanted`, in the
// order of CardSettingPart, stopping at the first refusal: what was written
// before it stays written. `current` follows each write that succeeded, so
// that after a refusal it holds what the card now has.
CardSettingsResult WriteCardSettings(Pipe& pipe, CardSettings& current, const CardSettings& wanted);

// The SIM phonebook's use: entries used of the card's capacity, and the
// longest name the SIM takes.
struct SimUsage {
  size_t used = 0;
  uint32_t capacity = 0;
  uint32_t nameLimit = 0;
};
[[nodiscard]] uint32_t ReadSimUsage(Pipe& pipe, SimUsage& usage);

// What the connection state (parameter 0x5001) says, for the user.
enum class ConnectionKind { kNone, kSearching, kGsm, kGprs, kOther };
ConnectionKind ConnectionKindOf(uint32_t connectionState);

}  // namespace zeph
