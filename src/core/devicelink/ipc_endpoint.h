#pragma once
// Where the card service's socket lives. Both sides resolve it the same way:
// the folder is $ZEPH_IPC_DIR when set, else $XDG_RUNTIME_DIR when set, else
// /tmp/zeph-<uid>; the socket of the pipe server `TavikZeph` is
// <folder>/TavikZeph.sock.

#include <string>
#include <string_view>

namespace zeph {

// The socket folder from the environment (it may not exist yet).
std::string DefaultIpcDir();

// <dir>/<serverName>.sock
std::string IpcSocketPath(std::string_view dir, std::string_view serverName);

// The longest socket path the platform takes (sockaddr_un's sun_path less
// its terminator). A longer path cannot be bound or connected.
size_t MaxSocketPathLength();

}  // namespace zeph
