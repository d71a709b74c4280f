#pragma once
// The program's start: one instance per user, the command line, the pipes
// to the card service, the frame, the settings defaults and the event
// loop, in this order.

#include <QString>
#include <string>

namespace zeph {

// The program's arguments (without the program's own name) joined by
// single blanks: the command line the keywords are compared with.
std::string JoinedCommandLine(int argc, const char* const* argv);

// The user's documents folder, where the store files live; made when it is
// missing.
QString DocumentsFolder();

// The whole program. Returns 1 for every early end (stop request, second
// instance, hand-over to a running frame), else the event loop's code.
int RunZephSms(int argc, char** argv);

}  // namespace zeph
