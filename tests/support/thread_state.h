#pragma once
// Whether a thread of this process sleeps (on a lock, in a request): what a negative check awaits.

#include <sys/types.h>

#include <fstream>
#include <string>

namespace zeph::testing {

inline bool ThreadSleeps(pid_t tid) {
  std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const size_t nameEnd = line.rfind(')');  // the state follows the name
  return nameEnd != std::string::npos && line.compare(nameEnd + 2, 1, "S") == 0;
}

}  // namespace zeph::testing
