#include "core/devicelink/ipc_endpoint.h"

#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>

namespace zeph {

IpcDir ResolveIpcDir() {
  for (const char* name : {"ZEPH_IPC_DIR", "XDG_RUNTIME_DIR"}) {
    const char* value = std::getenv(name);
    if (value && *value) return {value, false};
  }
  return {"/tmp/zeph-" + std::to_string(getuid()), true};
}

std::string IpcSocketPath(std::string_view dir, std::string_view serverName) {
  std::string path(dir);
  if (path.empty() || path.back() != '/') path += '/';
  path += serverName;
  path += ".sock";
  return path;
}

size_t MaxSocketPathLength() {
  return sizeof(sockaddr_un::sun_path) - 1;
}

}  // namespace zeph
