#pragma once
// Where the card service's socket lives. Both sides resolve it the same way:
// the folder is $ZEPH_IPC_DIR when set, else $XDG_RUNTIME_DIR when set, else
// /tmp/zeph-<uid>; the socket of the pipe server `TavikZeph` is
// <folder>/TavikZeph.sock. The last, the fallback, lies where every local
// user may make folders: it is used only while it is private to the user
// (core/util/private_folder.h).

#include <string>
#include <string_view>

namespace zeph {

struct IpcDir {
  std::string path;
  bool fallback = false;  // /tmp/zeph-<uid>: to be checked before each use
};

// The socket folder from the environment (it may not exist yet).
IpcDir ResolveIpcDir();
inline std::string DefaultIpcDir() {
  return ResolveIpcDir().path;
}

// <dir>/<serverName>.sock
std::string IpcSocketPath(std::string_view dir, std::string_view serverName);

// The longest socket path the platform takes (sockaddr_un's sun_path less
// its terminator). A longer path cannot be bound or connected.
size_t MaxSocketPathLength();

}  // namespace zeph
