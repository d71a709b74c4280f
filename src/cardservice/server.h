#pragma once
// The card service's event loop: one thread, poll(), two listening sockets.
//   <dir>/TavikZeph.sock  the program's pipes (frames of devicelink/wire_layout.h)
//   <dir>/TavikZeph.ctl   zeph-cardctl's control connections (JSON lines,
//                         control_commands.h)
// Requests of one connection are answered in the order they came; a request
// the backend holds (a send in progress, or the emulator's delay fault)
// holds back only the answers of its own connection.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cardservice/card_backend.h"
#include "cardservice/card_model.h"

namespace zeph::cardservice {

struct ServerOptions {
  std::string socketDir;  // empty: ResolveIpcDir()
  // Serve only from a folder private to the user (CheckPrivateFolder);
  // always so for the fallback folder /tmp/zeph-<uid>.
  bool privateFolderOnly = false;
  bool verbose = false;  // log every request to stderr
  // Called whenever the backend's saved state changed (after a request, a
  // control command or the backend's own work).
  std::function<void(const CardModel&)> save;
};

class Server {
 public:
  // Sets `backend`'s reply sink; the backend outlives the server.
  Server(CardBackend& backend, ServerOptions options);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Binds both sockets. False, with the reason in `error`, when the folder
  // cannot be made or is not private where it must be, a path is too long, or another card service
  // is alive on the socket. A stale socket file (nobody accepting) is removed first.
  bool Start(std::string& error);

  // Serves until RequestStop; removes the socket files on the way out.
  void Run();

  // Async-signal-safe: makes Run return soon.
  void RequestStop();

  const std::string& socketPath() const { return socketPath_; }

 private:
  struct Connection;
  void Accept(int listenFd, bool control);
  void ReadFrom(Connection& connection, uint64_t nowMs);
  void OnControlLine(Connection& connection, const std::string& line, uint64_t nowMs);
  void AnswerDue(uint64_t nowMs);
  void OnHeldReply(uint64_t ticket, std::vector<uint8_t> reply);
  void SendIndications();
  void Flush(Connection& connection);
  int PollTimeout(uint64_t nowMs) const;
  void LogControl(const std::string& text) const;

  CardBackend& backend_;
  ServerOptions options_;
  uint64_t nextTicket_ = 1;
  std::string socketPath_;
  std::string controlPath_;
  int listenFd_ = -1;
  int controlFd_ = -1;
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  uint64_t acceptPausedUntil_ = 0;  // out of descriptors: accept again after this
  std::vector<std::unique_ptr<Connection>> connections_;
};

// Milliseconds of the monotonic clock.
uint64_t NowMs();

}  // namespace zeph::cardservice
