#pragma once
// The pipe the request layer talks through: send one frame, ask whether a
// frame can be read without waiting, read one frame. IpcPipe (ipc_client.h)
// is the real one, a connection to the card service; tests put a scripted
// pipe in its place to see the exact request bytes.
//
// Threads: a pipe is used by one thread at a time, which carries one request
// at a time on it. The single exception is Cancel, which any thread may call
// at any moment.

#include <cstdint>
#include <span>

namespace zeph {

class Pipe {
 public:
  virtual ~Pipe() = default;

  // Writes the whole frame (header included) or fails; 0 on success, else
  // an IPC failure code (result_codes.h). The frame's timeoutMs bounds the
  // wait for the next frame read on this pipe.
  [[nodiscard]] virtual uint32_t SendFrame(std::span<const uint8_t> frame) = 0;

  // Whether a frame, or at least one byte of one, can be read now. Never
  // waits for the card service; a pipe whose connection was lost tries to
  // connect again first (and then usually has nothing to read).
  virtual bool FrameWaiting() = 0;

  // Reads one whole frame: 0 with `frame` set, else an IPC failure code and
  // `frame` untouched. Waits at most the timeoutMs of the last frame sent
  // plus a grace (2000 ms on the real pipe). The bytes stay valid until the
  // next ReadFrame on the same pipe.
  [[nodiscard]] virtual uint32_t ReadFrame(std::span<const uint8_t>& frame) = 0;

  // Shuts the pipe down from any thread: a SendFrame or ReadFrame blocked in
  // another thread returns kIpcCancelled promptly (well under a second), and
  // so does every later operation. Cancelling is final. Safe to call more
  // than once and concurrently with the owning thread's operations.
  virtual void Cancel() = 0;
};

}  // namespace zeph
