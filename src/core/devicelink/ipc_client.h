#pragma once
// The IPC client library: the program's connection to the card service.
// One pipe is one Unix-domain stream connection to <dir>/TavikZeph.sock
// (ipc_endpoint.h), carrying the frames of wire_layout.h. docs/card-service.md
// describes the transport; this file gives the six operations the program
// calls, as functions over an IpcPipe.
//
// Waiting: a read waits at most the timeoutMs of the last request sent on
// the pipe plus 2000 ms (2000 ms when none was sent); a read that timed out
// leaves the connection open, so a reply that comes later is a stale
// message that the next request's drain drops. Opening waits at most
// 15000 ms for the service's answer.
//
// Reconnection: a pipe whose very first open failed stays unusable; every
// operation on it fails with kIpcNotConnected. A pipe that was open and lost
// its connection (the service closed it or sent a frame that broke the
// rules) connects again at its next operation, opening with its pipe name
// and registering its indication ranges again; when that fails the
// operation fails with kIpcNotConnected. So a restarted card service is
// found again without restarting the program.
//
// Threads: each pipe belongs to one thread (SyncPipe and IndicationPipe to
// the user-interface thread, SendPipe to the send thread). Cancel is the one
// operation another thread may call: see Pipe::Cancel.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/devicelink/frame_buffer.h"
#include "core/devicelink/pipe.h"
#include "core/devicelink/pipe_canceller.h"
#include "core/devicelink/wire_layout.h"

namespace zeph {

// Bounds of a pipe. The defaults are the transport's; tests shorten them.
struct IpcOptions {
  std::string socketDir;  // empty: ResolveIpcDir()
  // Connect only while socketDir is a folder private to the user
  // (CheckPrivateFolder), at the first open and at every reconnection.
  // Always so for the fallback folder, whatever is set here.
  bool privateFolderOnly = false;
  uint32_t openTimeoutMs = wire::kOpenTimeoutMs;
  uint32_t readGraceMs = 2000;  // added to the last request's timeoutMs
  // When given, the new pipe is attached to it while IPCCreateNamedPipe
  // opens it, so that another thread can cancel the open (which waits up
  // to openTimeoutMs for the service's answer). It is detached again before
  // IPCCreateNamedPipe returns.
  PipeCanceller* canceller = nullptr;
};

class IpcPipe final : public Pipe {
 public:
  ~IpcPipe() override;
  IpcPipe(const IpcPipe&) = delete;
  IpcPipe& operator=(const IpcPipe&) = delete;

  [[nodiscard]] uint32_t SendFrame(std::span<const uint8_t> frame) override;
  bool FrameWaiting() override;
  [[nodiscard]] uint32_t ReadFrame(std::span<const uint8_t>& frame) override;
  void Cancel() override;

  // Asks for the indications whose ids lie in [first, last]; kept and sent
  // again after every reconnection. 0, or the failure to reach the service
  // (the range is kept all the same).
  [[nodiscard]] uint32_t RegisterIndications(uint32_t first, uint32_t last);

  // Whether the pipe has a connection right now (tests and logs).
  bool connected() const { return fd_ >= 0; }

 private:
  friend uint32_t IPCCreateNamedPipe(std::string_view, uint32_t, std::string_view,
                                     std::unique_ptr<IpcPipe>&, const IpcOptions&);
  IpcPipe(std::string socketDir, std::string serverName, std::string pipeName, uint32_t size,
          IpcOptions options);

  [[nodiscard]] uint32_t Open();             // connect and handshake; first open and reconnections
  [[nodiscard]] uint32_t EnsureConnected();  // 0, or why no connection could be had
  [[nodiscard]] uint32_t SendRegistration(uint32_t first, uint32_t last);
  [[nodiscard]] uint32_t WriteAll(std::span<const uint8_t> bytes, uint32_t waitMs);
  [[nodiscard]] uint32_t ReadOne(std::vector<uint8_t>& frame, uint32_t waitMs);
  void Disconnect();
  bool cancelled() const { return cancelled_.load(std::memory_order_acquire); }

  const std::string socketDir_;
  const std::string socketPath_;
  const std::string pipeName_;
  const uint32_t size_;
  const IpcOptions options_;

  // Written only by the owning thread, under fdMutex_; Cancel reads it under
  // fdMutex_ to shut the socket down.
  int fd_ = -1;
  std::mutex fdMutex_;
  int64_t readTimeoutMs_ = -1;   // SO_RCVTIMEO as last set on fd_
  int64_t writeTimeoutMs_ = -1;  // SO_SNDTIMEO as last set on fd_
  bool usable_ = false;          // false until the first open succeeded; then for good
  uint32_t lastTimeoutMs_ = 0;
  bool sentRequest_ = false;
  std::vector<std::pair<uint32_t, uint32_t>> ranges_;
  FrameBuffer incoming_;
  std::vector<uint8_t> frame_;  // the frame handed out by the last ReadFrame

  std::atomic<bool> cancelled_{false};
};

// What IPCGetReadEvent gives: an event the caller tests without waiting.
class ReadEvent {
 public:
  explicit ReadEvent(Pipe& pipe) : pipe_(&pipe) {}
  // True while a message (or the start of one) is waiting to be read.
  bool IsSignalled() const { return pipe_->FrameWaiting(); }

 private:
  Pipe* pipe_;
};

// ---- The six operations ----------------------------------------------------

// Connects to `serverName` (always "TavikZeph") and opens the pipe
// `pipeName` with `size` (65536). 0 on success. On failure `pipe` still
// receives a pipe, one that stays unusable (every operation fails with
// kIpcNotConnected), and the result names the cause: kIpcNotConnected (no
// service), kIpcUnsafeFolder, kIpcRefused, kIpcTimedOut, kIpcPeerClosed or
// kIpcProtocolError.
[[nodiscard]] uint32_t IPCCreateNamedPipe(std::string_view serverName, uint32_t size,
                                          std::string_view pipeName, std::unique_ptr<IpcPipe>& pipe,
                                          const IpcOptions& options = {});

// Writes the whole request (header included). 0 when sent. `sent`, when
// given, receives the number of bytes written.
[[nodiscard]] uint32_t IPCSendRequest(Pipe& pipe, std::span<const uint8_t> request,
                                      uint32_t* sent = nullptr);

ReadEvent IPCGetReadEvent(Pipe& pipe);

// Reads one message; 0 with `message` set to it. The bytes belong to the
// pipe and stay valid until its next read.
[[nodiscard]] uint32_t IPCGetMessageReadBuffer(Pipe& pipe, std::span<const uint8_t>& message);

// Asks for the indications in [first, last] (inclusive) on this pipe.
[[nodiscard]] uint32_t IPCRegisterIndications(IpcPipe& pipe, uint32_t first, uint32_t last);

// Closes the pipe and releases it; `pipe` is empty afterwards. Always 0:
// closing cannot fail.
uint32_t IPCCloseHandle(std::unique_ptr<IpcPipe>& pipe);

}  // namespace zeph
