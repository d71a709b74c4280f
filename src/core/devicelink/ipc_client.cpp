#include "devicelink/ipc_client.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "devicelink/ipc_endpoint.h"
#include "devicelink/result_codes.h"
#include "util/byte_order.h"

namespace zeph {
namespace {

using Clock = std::chrono::steady_clock;

enum class Wait { kReady, kTimedOut, kCancelled };

// Waits until `fd` has `events`, the deadline passes or the wake pipe is
// written (Cancel).
Wait WaitFor(int fd, short events, int wakeFd, Clock::time_point deadline) {
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    int timeout = left.count() > 0 ? static_cast<int>(left.count()) : 0;
    pollfd fds[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
    int n = poll(fds, 2, timeout);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Wait::kTimedOut;
    }
    if (fds[1].revents) return Wait::kCancelled;
    if (n > 0) return Wait::kReady;
    if (timeout == 0) return Wait::kTimedOut;
  }
}

Clock::time_point After(uint32_t ms) { return Clock::now() + std::chrono::milliseconds(ms); }

// Whether the frame is the answer to open that accepts.
uint32_t CheckOpenReply(const std::vector<uint8_t>& reply) {
  if (reply.size() < wire::kMinReplyLength || ReadU32(&reply[wire::kMessageIdOffset]) != wire::kOpenId)
    return kIpcProtocolError;
  return ReadU32(&reply[wire::kStatusOffset]) == 0 ? kResultOk : kIpcRefused;
}

}  // namespace

IpcPipe::IpcPipe(std::string socketPath, std::string pipeName, uint32_t size, IpcOptions options)
    : socketPath_(std::move(socketPath)),
      pipeName_(std::move(pipeName)),
      size_(size),
      options_(std::move(options)) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
  }
}

IpcPipe::~IpcPipe() {
  Disconnect();
  if (wakeRead_ >= 0) close(wakeRead_);
  if (wakeWrite_ >= 0) close(wakeWrite_);
}

void IpcPipe::Cancel() {
  cancelled_.store(true, std::memory_order_release);
  // One byte is enough: nobody reads it, so every later wait sees it too.
  uint8_t byte = 1;
  if (wakeWrite_ >= 0) {
    ssize_t ignored = write(wakeWrite_, &byte, 1);
    (void)ignored;
  }
}

void IpcPipe::Disconnect() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  incoming_.Clear();
}

uint32_t IpcPipe::Open() {
  if (wakeRead_ < 0 || socketPath_.size() > MaxSocketPathLength()) return kIpcNotConnected;
  fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd_ < 0) return kIpcNotConnected;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, socketPath_.data(), socketPath_.size());
  auto deadline = After(options_.openTimeoutMs);
  if (connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    int error = errno;
    bool pending = error == EINPROGRESS || error == EAGAIN;
    if (pending && WaitFor(fd_, POLLOUT, wakeRead_, deadline) == Wait::kReady) {
      socklen_t length = sizeof error;
      if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = EIO;
      pending = false;
    }
    if (pending || error != 0) {
      Disconnect();
      return cancelled() ? kIpcCancelled : kIpcNotConnected;
    }
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
  while (done < bytes.size()) {
    ssize_t n = send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      Wait wait = WaitFor(fd_, POLLOUT, wakeRead_, deadline);
      if (wait == Wait::kReady) continue;
      // A frame cut short leaves the stream out of step: drop the connection.
      Disconnect();
      return wait == Wait::kCancelled ? kIpcCancelled : kIpcWriteFailed;
    }
    Disconnect();
    return kIpcWriteFailed;
  }
  return kResultOk;
}

uint32_t IpcPipe::ReadOne(std::vector<uint8_t>& frame, uint32_t waitMs) {
  auto deadline = After(waitMs);
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
    Wait wait = WaitFor(fd_, POLLIN, wakeRead_, deadline);
    if (wait == Wait::kCancelled) return kIpcCancelled;
    if (wait == Wait::kTimedOut) return kIpcTimedOut;
    uint8_t chunk[65536];
    ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
    if (n > 0) {
      incoming_.Append(chunk, static_cast<size_t>(n));
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
      Disconnect();
      return kIpcPeerClosed;
    }
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
  std::string dir = options.socketDir.empty() ? DefaultIpcDir() : options.socketDir;
  pipe.reset(new IpcPipe(IpcSocketPath(dir, serverName), std::string(pipeName), size, options));
  uint32_t result = pipe->Open();
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

ReadEvent IPCGetReadEvent(Pipe& pipe) { return ReadEvent(pipe); }

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
