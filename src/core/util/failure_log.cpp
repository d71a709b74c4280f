#include "core/util/failure_log.h"

#include <unistd.h>

#include <atomic>
#include <string>

namespace zeph {
namespace {

std::atomic<FailureSink> g_sink{nullptr};

}  // namespace

void SetFailureSink(FailureSink sink) {
  g_sink.store(sink, std::memory_order_release);
}

void LogFailure(std::string_view line) {
  if (FailureSink sink = g_sink.load(std::memory_order_acquire)) sink(line);
}

void FailureToStderr(std::string_view line) {
  std::string whole(line);
  whole += '\n';
  // A failed write to stderr has nowhere left to be reported.
  ssize_t written = ::write(STDERR_FILENO, whole.data(), whole.size());
  (void)written;
}

}  // namespace zeph
