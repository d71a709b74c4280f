#pragma once
// The card service's control socket, <dir>/TavikZeph.ctl beside the
// program's socket: one JSON object a line in, one a line out
// (docs/cardctl.md). zeph-cardctl sends its commands through it; the card
// settings read what `show` tells of the connection and the modem.

#include <cstdint>
#include <string>
#include <string_view>

namespace zeph {

// <dir>/TavikZeph.ctl
std::string ControlSocketPath(std::string_view dir);

struct ControlExchange {
  bool answered = false;
  std::string reply;  // the reply line without its line feed, when answered
  std::string error;  // why there is no reply, when not
};

// Sends `line` (without its line feed) to the control socket in `socketDir`
// (empty: ResolveIpcDir(), the fallback folder only while it is private) and
// waits at most `timeoutMs` between the parts of the reply.
ControlExchange ExchangeControlLine(const std::string& socketDir, std::string_view line,
                                    int timeoutMs = 5000);

// What `show` tells that the card settings show. Texts are UTF-8, as on the
// control socket.
struct ServiceStatus {
  std::string backend;  // "emulator" or "modem"
  uint32_t connectionState = 0;
  bool hasModem = false;  // a modem backend that found its modem
  std::string manufacturer;
  std::string model;
  std::string operatorName;
  std::string registration;  // "home", "roaming", ...
  int signalQuality = 0;     // percent
  std::string note;          // what the user should do, e.g. unlock the SIM
};

// Reads a `show` reply line; false for a line that is not an object with
// "ok": true. A field missing or of a wrong type keeps its default.
bool ParseShowReply(std::string_view line, ServiceStatus& status);

// `show` through the control socket; false when there is no answer or the
// answer cannot be read.
bool ReadServiceStatus(const std::string& socketDir, ServiceStatus& status, int timeoutMs = 5000);

}  // namespace zeph
