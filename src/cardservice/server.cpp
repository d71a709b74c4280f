#include "cardservice/server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>

#include "cardservice/pipe_session.h"
#include "cardservice/request_handler.h"
#include "core/devicelink/control_link.h"
#include "core/devicelink/frame_buffer.h"
#include "core/devicelink/ipc_endpoint.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"
#include "core/util/private_folder.h"

namespace zeph::cardservice {
namespace {

// A connection whose peer stops reading is dropped once this much waits to
// be written, so one stuck client cannot eat the service's memory.
constexpr size_t kMaxPendingOutput = 8 * 1024 * 1024;
constexpr size_t kMaxControlLine = 1024 * 1024;
constexpr uint64_t kAcceptPauseMs = 100;

bool FillAddress(const std::string& path, sockaddr_un& address) {
  if (path.size() > MaxSocketPathLength()) return false;
  address = {};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

// Whether a card service answers on `path` (a live socket).
bool SomeoneListens(const sockaddr_un& address) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  bool live = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return live;
}

int Listen(const std::string& path, std::string& error) {
  sockaddr_un address;
  if (!FillAddress(path, address)) {
    error = "socket path too long: " + path;
    return -1;
  }
  struct stat info;
  if (lstat(path.c_str(), &info) == 0) {
    if (SomeoneListens(address)) {
      error = "another card service is running on " + path;
      return -1;
    }
    unlink(path.c_str());  // stale: nobody accepts on it
  }
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  mode_t oldMask = umask(0177);  // the socket file is made 0600
  bool bound =
      fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  umask(oldMask);
  if (!bound || chmod(path.c_str(), 0600) != 0 || listen(fd, 128) != 0) {
    error = "cannot listen on " + path + ": " + std::strerror(errno);
    if (fd >= 0) close(fd);
    return -1;
  }
  return fd;
}

std::vector<uint8_t> Indication(uint32_t id) {
  std::vector<uint8_t> frame(wire::kHeaderSize);
  WriteU32(&frame[wire::kMessageIdOffset], id);
  WriteU32(&frame[wire::kLengthOffset], wire::kHeaderSize);
  return frame;
}

}  // namespace

uint64_t NowMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// A pipe connection reads through its session; a control connection uses
// only the session's output and end flags, and reads text lines.
struct Server::Connection {
  Connection(int fd, bool control, CardBackend& backend, bool verbose)
      : fd(fd), control(control), session(backend, verbose) {}
  ~Connection() { close(fd); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  int fd;
  bool control;
  std::string lines;  // control connections: what came after the last whole line
  PipeSession session;
};

Server::Server(CardBackend& backend, ServerOptions options)
    : backend_(backend), options_(std::move(options)) {
  backend_.SetReplySink([this](uint64_t ticket, std::vector<uint8_t> reply) {
    OnHeldReply(ticket, std::move(reply));
  });
}

Server::~Server() {
  backend_.SetReplySink(nullptr);
  connections_.clear();
  for (int fd : {listenFd_, controlFd_, wakeRead_, wakeWrite_})
    if (fd >= 0) close(fd);
}

bool Server::Start(std::string& error) {
  IpcDir resolved = options_.socketDir.empty() ? ResolveIpcDir() : IpcDir{options_.socketDir};
  const std::string& dir = resolved.path;
  if (resolved.fallback || options_.privateFolderOnly) {
    // Someone else's folder would let them pose as this service's clients'
    // card, or put their own socket in its place.
    if (FolderCheck check = MakePrivateFolder(dir); !check.ok()) {
      error = "refusing to serve: " + FolderRefusal(dir, check);
      return false;
    }
  } else if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
    error = "cannot make the socket folder " + dir + ": " + std::strerror(errno);
    return false;
  }
  socketPath_ = IpcSocketPath(dir, wire::kServerName);
  controlPath_ = ControlSocketPath(dir);
  int wake[2];
  if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
    error = "cannot make the wake pipe";
    return false;
  }
  wakeRead_ = wake[0];
  wakeWrite_ = wake[1];
  listenFd_ = Listen(socketPath_, error);
  if (listenFd_ < 0) return false;
  controlFd_ = Listen(controlPath_, error);
  if (controlFd_ < 0) {
    unlink(socketPath_.c_str());
    return false;
  }
  return true;
}

void Server::RequestStop() {
  uint8_t byte = 1;
  ssize_t ignored = write(wakeWrite_, &byte, 1);
  (void)ignored;
}

void Server::LogControl(const std::string& text) const {
  if (options_.verbose) std::cerr << "[control] " << text << '\n';
}

void Server::Accept(int listenFd, bool control) {
  for (;;) {
    int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
        acceptPausedUntil_ = NowMs() + kAcceptPauseMs;
      return;
    }
    connections_.push_back(std::make_unique<Connection>(fd, control, backend_, options_.verbose));
  }
}

void Server::ReadFrom(Connection& connection, uint64_t nowMs) {
  PipeSession& session = connection.session;
  uint8_t chunk[65536];
  ssize_t n = recv(connection.fd, chunk, sizeof chunk, 0);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
  if (n <= 0) {
    session.dead = true;  // closed, also in the middle of a frame
    return;
  }
  if (!connection.control) {
    session.Receive(std::span(chunk, static_cast<size_t>(n)), nowMs);
    return;
  }
  connection.lines.append(reinterpret_cast<const char*>(chunk), static_cast<size_t>(n));
  size_t end;
  while (!session.dead && (end = connection.lines.find('\n')) != std::string::npos) {
    std::string line = connection.lines.substr(0, end);
    connection.lines.erase(0, end + 1);
    OnControlLine(connection, line, nowMs);
  }
  if (connection.lines.size() > kMaxControlLine) session.dead = true;
}

void Server::OnControlLine(Connection& connection, const std::string& line, uint64_t nowMs) {
  std::string reply = backend_.Control(line, nowMs);
  LogControl(line + " -> " + reply);
  std::vector<uint8_t>& output = connection.session.output;
  output.insert(output.end(), reply.begin(), reply.end());
  output.push_back('\n');
}

void Server::AnswerDue(uint64_t nowMs) {
  for (auto& connection : connections_) connection->session.AnswerDue(nowMs, nextTicket_);
}

void Server::OnHeldReply(uint64_t ticket, std::vector<uint8_t> reply) {
  for (auto& connection : connections_)
    if (connection->session.AnswerHeld(ticket, reply)) return;
}

void Server::SendIndications() {
  int arrivals = backend_.TakeArrivals();
  if (arrivals == 0) return;
  auto frame = Indication(wire::kMessageArrivedId);
  for (auto& connection : connections_) {
    PipeSession& session = connection->session;
    if (session.dead || !session.Registered(wire::kMessageArrivedId)) continue;
    for (int i = 0; i < arrivals; ++i)
      session.output.insert(session.output.end(), frame.begin(), frame.end());
    session.Log("indication: a message arrived");
  }
}

void Server::Flush(Connection& connection) {
  PipeSession& session = connection.session;
  std::vector<uint8_t>& output = session.output;
  size_t done = 0;
  while (done < output.size()) {
    ssize_t n = send(connection.fd, output.data() + done, output.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    session.dead = true;
    return;
  }
  output.erase(output.begin(), output.begin() + static_cast<std::ptrdiff_t>(done));
  if (output.size() > kMaxPendingOutput) session.dead = true;
  if (output.empty() && session.closing) session.dead = true;
}

int Server::PollTimeout(uint64_t nowMs) const {
  std::optional<uint64_t> due = backend_.NextDue();
  for (const auto& connection : connections_)
    if (auto held = connection->session.NextDue()) due = std::min(due.value_or(UINT64_MAX), *held);
  if (acceptPausedUntil_ > nowMs) due = std::min(due.value_or(UINT64_MAX), acceptPausedUntil_);
  if (!due) return -1;
  return *due <= nowMs ? 0 : static_cast<int>(std::min<uint64_t>(*due - nowMs, 60000));
}

void Server::Run() {
  std::vector<pollfd> fds;
  for (;;) {
    uint64_t now = NowMs();
    bool accepting = acceptPausedUntil_ <= now;
    fds.clear();
    fds.push_back({wakeRead_, POLLIN, 0});
    fds.push_back({accepting ? listenFd_ : -1, POLLIN, 0});
    fds.push_back({accepting ? controlFd_ : -1, POLLIN, 0});
    for (const auto& connection : connections_) {
      short events = connection->session.closing ? 0 : POLLIN;
      if (!connection->session.output.empty()) events |= POLLOUT;
      fds.push_back({connection->fd, events, 0});
    }
    const size_t backendFirst = fds.size();
    backend_.AddPollFds(fds);
    int ready = poll(fds.data(), fds.size(), PollTimeout(now));
    if (ready < 0 && errno != EINTR) break;
    if (ready > 0 && fds[0].revents) break;
    if (ready <= 0)
      for (auto& fd : fds) fd.revents = 0;
    now = NowMs();
    if (ready > 0) {
      // Connections accepted now are polled from the next round on.
      size_t polled = backendFirst - 3;
      for (size_t i = 0; i < polled; ++i) {
        if (fds[i + 3].revents & (POLLIN | POLLHUP | POLLERR)) ReadFrom(*connections_[i], now);
      }
      if (fds[1].revents) Accept(listenFd_, false);
      if (fds[2].revents) Accept(controlFd_, true);
    }
    AnswerDue(now);
    backend_.Advance(now, std::span(fds).subspan(backendFirst));
    SendIndications();
    for (auto& connection : connections_)
      if (!connection->session.dead && !connection->session.output.empty()) Flush(*connection);
    std::erase_if(connections_, [](const auto& c) { return c->session.dead; });
    if (CardModel& state = backend_.state(); state.dirty) {
      if (options_.save) options_.save(state);
      state.dirty = false;
    }
  }
  unlink(socketPath_.c_str());
  unlink(controlPath_.c_str());
}

}  // namespace zeph::cardservice
