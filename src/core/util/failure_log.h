#pragma once
// The failures the program shows to no one by design: a store file that
// could not be saved (the list in memory stays, the previous file stays
// whole, and the next save writes the list again). They go to a sink the
// program installs when it runs with -v (one line each on stderr); without
// one they are dropped. Any thread may log.

#include <string_view>

namespace zeph {

// Receives one line, without a line break.
using FailureSink = void (*)(std::string_view line);

// Installs `sink`, or none (nullptr) to drop the lines again.
void SetFailureSink(FailureSink sink);

// Hands `line` to the sink, if one is installed.
void LogFailure(std::string_view line);

// A sink writing "<line>\n" to stderr in one write, so that lines from two
// threads do not mix.
void FailureToStderr(std::string_view line);

}  // namespace zeph
