#include "cardservice/server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <iostream>

#include "cardservice/request_handler.h"
#include "core/devicelink/control_link.h"
#include "core/devicelink/frame_buffer.h"
#include "core/devicelink/ipc_endpoint.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"
#include "core/util/fixed_text.h"
#include "core/util/private_folder.h"

namespace zeph::cardservice {
namespace {

// A connection whose peer stops reading is dropped once this much waits to
// be written, so one stuck client cannot eat the service's memory.
constexpr size_t kMaxPendingOutput = 8 * 1024 * 1024;
constexpr size_t kMaxControlLine = 1024 * 1024;
constexpr uint64_t kAcceptPauseMs = 100;

bool AcceptedPipeName(const std::string& name) {
  return name == wire::kSyncPipeName || name == wire::kIndicationPipeName ||
         name == wire::kSendPipeName;
}

std::string Hex(uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", id);
  return text;
}

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

struct Server::Connection {
  int fd = -1;
  bool control = false;
  bool opened = false;
  bool closing = false;  // close once the output is written
  bool dead = false;     // close now
  std::string pipeName;
  std::vector<std::pair<uint32_t, uint32_t>> ranges;
  FrameBuffer frames;
  std::string lines;  // control connections
  std::vector<uint8_t> output;
  struct Held {
    uint64_t dueMs;
    std::vector<uint8_t> request;
    uint64_t ticket = 0;  // given to the backend, which holds it; 0 before
  };
  std::deque<Held> held;  // requests waiting for their answer, oldest first
  ~Connection() {
    if (fd >= 0) close(fd);
  }
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

void Server::Log(const Connection& connection, const std::string& text) const {
  if (!options_.verbose) return;
  std::string name = connection.control            ? "control"
                     : connection.pipeName.empty() ? "?"
                                                   : connection.pipeName;
  std::cerr << "[" << name << "] " << text << '\n';
}

void Server::Accept(int listenFd, bool control) {
  for (;;) {
    int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
        acceptPausedUntil_ = NowMs() + kAcceptPauseMs;
      return;
    }
    auto connection = std::make_unique<Connection>();
    connection->fd = fd;
    connection->control = control;
    connections_.push_back(std::move(connection));
  }
}

void Server::ReadFrom(Connection& connection, uint64_t nowMs) {
  uint8_t chunk[65536];
  ssize_t n = recv(connection.fd, chunk, sizeof chunk, 0);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
  if (n <= 0) {
    connection.dead = true;  // closed, also in the middle of a frame
    return;
  }
  if (connection.control) {
    connection.lines.append(reinterpret_cast<const char*>(chunk), static_cast<size_t>(n));
    size_t end;
    while (!connection.dead && (end = connection.lines.find('\n')) != std::string::npos) {
      std::string line = connection.lines.substr(0, end);
      connection.lines.erase(0, end + 1);
      OnControlLine(connection, line, nowMs);
    }
    if (connection.lines.size() > kMaxControlLine) connection.dead = true;
    return;
  }
  connection.frames.Append(chunk, static_cast<size_t>(n));
  for (;;) {
    auto next = connection.frames.Peek();
    if (next == FrameBuffer::Next::kNeedMore) return;
    if (next == FrameBuffer::Next::kBadLength) {
      Log(connection, "frame length out of bounds: connection closed");
      connection.dead = true;
      return;
    }
    std::vector<uint8_t> frame;
    connection.frames.Take(frame);
    OnFrame(connection, std::move(frame), nowMs);
    if (connection.dead || connection.closing) return;
  }
}

void Server::OnFrame(Connection& connection, std::vector<uint8_t> frame, uint64_t nowMs) {
  uint32_t id = ReadU32(&frame[wire::kMessageIdOffset]);
  if (!connection.opened) {
    if (id != wire::kOpenId || frame.size() < wire::kOpenLength) {
      Log(connection, "first frame is not an open: connection closed");
      connection.dead = true;
      return;
    }
    connection.pipeName = BoundedText(&frame[wire::kOpenNameOffset], wire::kOpenNameSize);
    Faults* faults = backend_.faults();
    if (faults && faults->silentOpens) {
      Log(connection, "open left unanswered (fault)");
      return;
    }
    bool accept = AcceptedPipeName(connection.pipeName) && !(faults && faults->refuseOpens);
    auto reply = MakeReply(wire::kOpenId, accept ? 0 : status::kOpenRefused);
    connection.output.insert(connection.output.end(), reply.begin(), reply.end());
    connection.opened = accept;
    connection.closing = !accept;
    Log(connection, accept ? "open" : "open refused");
    return;
  }
  if (id == wire::kRegisterId && frame.size() >= wire::kRegisterLength) {
    connection.ranges.emplace_back(ReadU32(&frame[wire::kRegisterFirstOffset]),
                                   ReadU32(&frame[wire::kRegisterLastOffset]));
    Log(connection, "register " + Hex(connection.ranges.back().first) + " to " +
                        Hex(connection.ranges.back().second));
    return;
  }
  Faults* faults = backend_.faults();
  if (!faults) {
    connection.held.push_back({nowMs, std::move(frame)});
    return;
  }
  if (faults->closeNext &&
      (faults->closePipe.empty() || faults->closePipe == connection.pipeName)) {
    faults->closeNext = false;
    Log(connection, Hex(id) + " -> connection closed (fault)");
    connection.dead = true;
    return;
  }
  if (faults->holdSends && id == wire::kSendMessageId) {
    Log(connection, Hex(id) + " left unanswered (fault)");
    return;
  }
  connection.held.push_back({nowMs + faults->delayMs, std::move(frame)});
}

void Server::OnControlLine(Connection& connection, const std::string& line, uint64_t nowMs) {
  std::string reply = backend_.Control(line, nowMs);
  Log(connection, line + " -> " + reply);
  connection.output.insert(connection.output.end(), reply.begin(), reply.end());
  connection.output.push_back('\n');
}

void Server::AnswerDue(uint64_t nowMs) {
  for (auto& connection : connections_) {
    while (!connection->dead && !connection->held.empty() && connection->held.front().ticket == 0 &&
           connection->held.front().dueMs <= nowMs) {
      auto& front = connection->held.front();
      front.ticket = nextTicket_++;
      auto reply = backend_.Answer(front.ticket, front.request, nowMs);
      if (!reply) break;  // held: OnHeldReply answers it, and then the next
      SendReply(*connection, std::move(*reply));
    }
  }
}

void Server::OnHeldReply(uint64_t ticket, std::vector<uint8_t> reply) {
  // A connection that closed meanwhile is gone, and its reply with it.
  for (auto& connection : connections_) {
    if (!connection->dead && !connection->held.empty() &&
        connection->held.front().ticket == ticket) {
      SendReply(*connection, std::move(reply));
      return;
    }
  }
}

// Answers the connection's oldest request with `reply`.
void Server::SendReply(Connection& connection, std::vector<uint8_t> reply) {
  auto request = std::move(connection.held.front().request);
  connection.held.pop_front();
  Log(connection, Hex(ReadU32(&request[wire::kMessageIdOffset])) + " -> " +
                      (ReadU32(&reply[wire::kMessageIdOffset]) == wire::kErrorReplyId
                           ? std::string("error reply")
                           : Hex(ReadU32(&reply[wire::kStatusOffset]))));
  Faults* faults = backend_.faults();
  int copies = faults && faults->staleReply ? 2 : 1;
  if (faults) faults->staleReply = false;
  for (int i = 0; i < copies; ++i)
    connection.output.insert(connection.output.end(), reply.begin(), reply.end());
}

void Server::SendIndications() {
  int arrivals = backend_.TakeArrivals();
  if (arrivals == 0) return;
  auto frame = Indication(wire::kMessageArrivedId);
  for (auto& connection : connections_) {
    bool wanted = false;
    for (auto [first, last] : connection->ranges)
      wanted = wanted || (wire::kMessageArrivedId >= first && wire::kMessageArrivedId <= last);
    if (!wanted || connection->dead) continue;
    for (int i = 0; i < arrivals; ++i)
      connection->output.insert(connection->output.end(), frame.begin(), frame.end());
    Log(*connection, "indication " + Hex(wire::kMessageArrivedId));
  }
}

void Server::Flush(Connection& connection) {
  size_t done = 0;
  while (done < connection.output.size()) {
    ssize_t n = send(connection.fd, connection.output.data() + done,
                     connection.output.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    connection.dead = true;
    return;
  }
  connection.output.erase(connection.output.begin(),
                          connection.output.begin() + static_cast<std::ptrdiff_t>(done));
  if (connection.output.size() > kMaxPendingOutput) connection.dead = true;
  if (connection.output.empty() && connection.closing) connection.dead = true;
}

int Server::PollTimeout(uint64_t nowMs) const {
  std::optional<uint64_t> due = backend_.NextDue();
  for (const auto& connection : connections_)
    if (!connection->held.empty() && connection->held.front().ticket == 0)
      due = std::min(due.value_or(UINT64_MAX), connection->held.front().dueMs);
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
      short events = connection->closing ? 0 : POLLIN;
      if (!connection->output.empty()) events |= POLLOUT;
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
      if (!connection->dead && !connection->output.empty()) Flush(*connection);
    std::erase_if(connections_, [](const auto& c) { return c->dead; });
    if (CardModel& state = backend_.state(); state.dirty) {
      if (options_.save) options_.save(state);
      state.dirty = false;
    }
  }
  unlink(socketPath_.c_str());
  unlink(controlPath_.c_str());
}

}  // namespace zeph::cardservice
