#pragma once
// The start-up keywords. A launcher that wants a particular module passes
// the bare keyword as the whole command line; anything else, an empty line
// included, starts with the Inbox.

#include <string_view>

namespace zeph {

inline constexpr int kInboxModule = 0;
inline constexpr int kOutboxModule = 1;
inline constexpr int kSentModule = 2;
inline constexpr int kReportsModule = 3;
inline constexpr int kContactsModule = 4;
inline constexpr int kModuleCount = 5;

struct CommandLineChoice {
  bool stop = false;    // "stop": tell a running instance to end, then end
  int startModule = 0;  // the module shown first
};

// Compares the whole command line, without regard to case, with each
// keyword ("stop", "inbox", "outbox", "sentitems", "statusreport",
// "contacts"); only a complete match counts.
CommandLineChoice ReadCommandLine(std::string_view commandLine);

}  // namespace zeph
