#pragma once
// How a new start reaches the running frame: a local socket named after
// the frame class in the user's runtime folder, served by the running
// frame. A client sends one line, "show" (bring the frame to the front) or
// "stop" (end the running instance), and the frame answers "ok".

#include <QLocalServer>
#include <QString>
#include <functional>
#include <memory>

class QLocalSocket;

namespace zeph {

QString FrameSocketPath();

// The client side: a connection to the running frame, if there is one.
class RunningFrame {
 public:
  // Connects to the frame's socket; Found() tells whether one answered.
  explicit RunningFrame(const QString& socketPath);
  ~RunningFrame();

  bool Found() const;
  // Sends the request and waits (at most a few seconds) for the answer;
  // true when the frame answered.
  bool Send(const char* request);

 private:
  std::unique_ptr<QLocalSocket> socket_;
};

// The server side, served by the frame on the user-interface thread.
class FrameChannel final : public QObject {
  Q_OBJECT

 public:
  FrameChannel(std::function<void()> show, std::function<void()> stop);

  // Listens on `socketPath`, replacing a socket file left by an instance
  // that no longer runs (the caller holds the instance lock).
  bool Listen(const QString& socketPath);

 private:
  void Serve(QLocalSocket* client);

  QLocalServer server_;
  std::function<void()> show_;
  std::function<void()> stop_;
};

}  // namespace zeph
