#include "core/devicelink/ipc_client.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>

#include "core/devicelink/ipc_endpoint.h"
#include "core/devicelink/result_codes.h"
#include "core/util/byte_order.h"
#include "core/util/failure_log.h"
#include "core/util/private_folder.h"

namespace zeph {
namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point After(uint32_t ms) {
  return Clock::now() + std::chrono::milliseconds(ms);
}

// Milliseconds left until `deadline`, at least 1 (0 would mean "no limit"
// to the socket options).
int64_t LeftMs(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return std::max<int64_t>(left.count(), 1);
}

bool SetTimeout(int fd, int option, int64_t ms) {
  timeval tv{};
  tv.tv_sec = static_cast<time_t>(ms / 1000);
  tv.tv_usec = static_cast<suseconds_t>((ms % 1000) * 1000);
  return setsockopt(fd, SOL_SOCKET, option, &tv, sizeof tv) == 0;
}

// Whether the frame is the answer to open that accepts.
uint32_t CheckOpenReply(const std::vector<uint8_t>& reply) {
  if (reply.size() < wire::kMinReplyLength ||
      ReadU32(&reply[wire::kMessageIdOffset]) != wire::kOpenId)
    return kIpcProtocolError;
  return ReadU32(&reply[wire::kStatusOffset]) == 0 ? kResultOk : kIpcRefused;
}

}  // namespace

IpcPipe::IpcPipe(std::string socketDir, std::string serverName, std::string pipeName, uint32_t size,
                 IpcOptions options)
    : socketDir_(std::move(socketDir)),
      socketPath_(IpcSocketPath(socketDir_, serverName)),
      pipeName_(std::move(pipeName)),
      size_(size),
      options_(std::move(options)) {}

IpcPipe::~IpcPipe() {
  Disconnect();
}

void IpcPipe::Cancel() {
  std::lock_guard hold(fdMutex_);
  cancelled_.store(true, std::memory_order_release);
  // Shutting the socket down wakes a send or recv blocked on it at once;
  // the owning thread then sees the flag.
  if (fd_ >= 0) shutdown(fd_, SHUT_RDWR);
}

void IpcPipe::Disconnect() {
  std::lock_guard hold(fdMutex_);
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  incoming_.Clear();
  readTimeoutMs_ = -1;
  writeTimeoutMs_ = -1;
}

uint32_t IpcPipe::Open() {
  if (socketPath_.size() > MaxSocketPathLength()) return kIpcNotConnected;
  // Checked at every connection: a folder missing at the first open may
  // have been made by someone else since.
  if (options_.privateFolderOnly) {
    const FolderCheck check = CheckPrivateFolder(socketDir_);
    if (check.trust == FolderTrust::kMissing) return kIpcNotConnected;  // no service yet
    if (!check.ok()) return kIpcUnsafeFolder;
  }
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return kIpcNotConnected;
  {
    std::lock_guard hold(fdMutex_);
    fd_ = fd;
    if (cancelled()) shutdown(fd_, SHUT_RDWR);
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, socketPath_.data(), socketPath_.size());
  // A full backlog makes connect wait, at most the open time-out.
  SetTimeout(fd_, SO_SNDTIMEO, options_.openTimeoutMs);
  writeTimeoutMs_ = options_.openTimeoutMs;
  if (connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    Disconnect();
    return cancelled() ? kIpcCancelled : kIpcNotConnected;
  }

  uint8_t open[wire::kOpenLength] = {};
  WriteU32(open + wire::kMessageIdOffset, wire::kOpenId);
  WriteU32(open + wire::kTimeoutOffset, options_.openTimeoutMs);
  WriteU32(open + wire::kLengthOffset, wire::kOpenLength);
  WriteU32(open + wire::kOpenSizeOffset, size_);
  std::memcpy(open + wire::kOpenNameOffset, pipeName_.data(),
              std::min(pipeName_.size(), wire::kOpenNameSize - 1));
  uint32_t result = WriteAll(open, options_.openTimeoutMs);
  std::vector<uint8_t> reply;
  if (result == kResultOk) result = ReadOne(reply, options_.openTimeoutMs);
  if (result == kResultOk) result = CheckOpenReply(reply);
  if (result != kResultOk) {
    Disconnect();
    return result;
  }
  for (auto [first, last] : ranges_) {
    if (result = SendRegistration(first, last); result != kResultOk) return result;
  }
  return kResultOk;
}

uint32_t IpcPipe::SendRegistration(uint32_t first, uint32_t last) {
  uint8_t frame[wire::kRegisterLength] = {};
  WriteU32(frame + wire::kMessageIdOffset, wire::kRegisterId);
  WriteU32(frame + wire::kLengthOffset, wire::kRegisterLength);
  WriteU32(frame + wire::kRegisterFirstOffset, first);
  WriteU32(frame + wire::kRegisterLastOffset, last);
  return WriteAll(frame, options_.openTimeoutMs);
}

uint32_t IpcPipe::EnsureConnected() {
  if (cancelled()) return kIpcCancelled;
  if (!usable_) return kIpcNotConnected;
  if (fd_ >= 0) return kResultOk;
  uint32_t result = Open();
  if (result == kResultOk) return kResultOk;
  Disconnect();
  return result == kIpcCancelled ? kIpcCancelled : kIpcNotConnected;
}

uint32_t IpcPipe::WriteAll(std::span<const uint8_t> bytes, uint32_t waitMs) {
  auto deadline = After(waitMs);
  size_t done = 0;
  int64_t timeoutMs = waitMs > 0 ? waitMs : 1;
  while (done < bytes.size()) {
    if (timeoutMs != writeTimeoutMs_) {
      SetTimeout(fd_, SO_SNDTIMEO, timeoutMs);
      writeTimeoutMs_ = timeoutMs;
    }
    ssize_t n = send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<size_t>(n);
      timeoutMs = LeftMs(deadline);
      continue;
    }
    if (n < 0 && errno == EINTR && !cancelled()) continue;
    // A frame cut short leaves the stream out of step: drop the connection.
    Disconnect();
    return cancelled() ? kIpcCancelled : kIpcWriteFailed;
  }
  return kResultOk;
}

uint32_t IpcPipe::ReadOne(std::vector<uint8_t>& frame, uint32_t waitMs) {
  auto deadline = After(waitMs);
  int64_t timeoutMs = waitMs > 0 ? waitMs : 1;
  for (;;) {
    switch (incoming_.Peek()) {
      case FrameBuffer::Next::kFrame:
        incoming_.Take(frame);
        return kResultOk;
      case FrameBuffer::Next::kBadLength:
        Disconnect();
        return kIpcProtocolError;
      case FrameBuffer::Next::kNeedMore:
        break;
    }
    // The socket option is set only when the wait changes: most requests on
    // a pipe share one time-out, so a round trip costs no extra call.
    if (timeoutMs != readTimeoutMs_) {
      SetTimeout(fd_, SO_RCVTIMEO, timeoutMs);
      readTimeoutMs_ = timeoutMs;
    }
    uint8_t chunk[65536];
    ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
    if (cancelled()) return kIpcCancelled;
    if (n > 0) {
      incoming_.Append(chunk, static_cast<size_t>(n));
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return kIpcTimedOut;
    } else if (n == 0 || errno != EINTR) {
      Disconnect();
      return kIpcPeerClosed;
    }
    if (Clock::now() >= deadline) {
      if (incoming_.Peek() == FrameBuffer::Next::kFrame) continue;
      return kIpcTimedOut;
    }
    timeoutMs = LeftMs(deadline);
  }
}

uint32_t IpcPipe::SendFrame(std::span<const uint8_t> frame) {
  if (uint32_t result = EnsureConnected(); result != kResultOk) return result;
  if (frame.size() < wire::kHeaderSize) return kIpcProtocolError;
  lastTimeoutMs_ = ReadU32(frame.data() + wire::kTimeoutOffset);
  sentRequest_ = true;
  return WriteAll(frame, lastTimeoutMs_ + options_.readGraceMs);
}

bool IpcPipe::FrameWaiting() {
  if (EnsureConnected() != kResultOk) return false;
  if (!incoming_.empty()) return true;
  pollfd fds{fd_, POLLIN, 0};
  return poll(&fds, 1, 0) > 0 && fds.revents != 0;
}

uint32_t IpcPipe::ReadFrame(std::span<const uint8_t>& frame) {
  if (uint32_t result = EnsureConnected(); result != kResultOk) return result;
  uint32_t wait = (sentRequest_ ? lastTimeoutMs_ : 0) + options_.readGraceMs;
  if (uint32_t result = ReadOne(frame_, wait); result != kResultOk) return result;
  frame = frame_;
  return kResultOk;
}

uint32_t IpcPipe::RegisterIndications(uint32_t first, uint32_t last) {
  ranges_.emplace_back(first, last);
  // A connection made now registers every range, this one included.
  if (fd_ < 0 || cancelled()) return EnsureConnected();
  return SendRegistration(first, last);
}

uint32_t IPCCreateNamedPipe(std::string_view serverName, uint32_t size, std::string_view pipeName,
                            std::unique_ptr<IpcPipe>& pipe, const IpcOptions& options) {
  IpcOptions chosen = options;
  if (chosen.socketDir.empty()) {
    IpcDir dir = ResolveIpcDir();
    chosen.socketDir = std::move(dir.path);
    chosen.privateFolderOnly = chosen.privateFolderOnly || dir.fallback;
  }
  // Used only while opening: the pipe keeps no pointer to it.
  PipeCanceller* canceller = std::exchange(chosen.canceller, nullptr);
  std::string socketDir = chosen.socketDir;
  pipe.reset(new IpcPipe(std::move(socketDir), std::string(serverName), std::string(pipeName), size,
                         std::move(chosen)));
  if (canceller) canceller->Attach(*pipe);
  uint32_t result = pipe->Open();
  if (canceller) canceller->Detach(*pipe);
  if (result == kIpcUnsafeFolder) {
    // Told once, not at each reconnection attempt: the user has a folder to
    // look at.
    LogFailure("not connecting to the card service: " +
               FolderRefusal(pipe->socketDir_, CheckPrivateFolder(pipe->socketDir_)));
  }
  if (result == kResultOk) {
    pipe->usable_ = true;
  } else {
    pipe->Disconnect();
  }
  return result;
}

uint32_t IPCSendRequest(Pipe& pipe, std::span<const uint8_t> request, uint32_t* sent) {
  uint32_t result = pipe.SendFrame(request);
  if (sent) *sent = result == kResultOk ? static_cast<uint32_t>(request.size()) : 0;
  return result;
}

ReadEvent IPCGetReadEvent(Pipe& pipe) {
  return ReadEvent(pipe);
}

uint32_t IPCGetMessageReadBuffer(Pipe& pipe, std::span<const uint8_t>& message) {
  return pipe.ReadFrame(message);
}

uint32_t IPCRegisterIndications(IpcPipe& pipe, uint32_t first, uint32_t last) {
  return pipe.RegisterIndications(first, last);
}

uint32_t IPCCloseHandle(std::unique_ptr<IpcPipe>& pipe) {
  pipe.reset();
  return kResultOk;
}

}  // namespace zeph
