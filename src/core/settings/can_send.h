#pragma once
// The can-send check run before anything is queued for sending and by the
// send thread before each pass.

#include <functional>

#include "core/devicelink/pipe.h"
#include "core/settings/settings_store.h"

namespace zeph {

// Reads the connection state on the caller's own `pipe` (0 when the read
// fails) and returns 1 when a message can be sent now: a GSM or GPRS
// connection in a connected state; else 0. This form has no owner window and
// never warns: the send thread's.
[[nodiscard]] int CanSendNow(Pipe& pipe);

// The same for a window that is about to queue a message: on 0, when the
// user has not ticked "Do not show this message again" ("CanNotSendWarning"
// missing or 0), calls `showWarning` first, which shows the "Message Cannot
// Be Sent" box over the window and returns when the user has answered.
[[nodiscard]] int CanSendNow(Pipe& pipe, const SettingsStore& settings,
                             const std::function<void()>& showWarning);

}  // namespace zeph
