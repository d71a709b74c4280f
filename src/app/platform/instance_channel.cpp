#include "app/platform/instance_channel.h"

#include <QLocalSocket>

#include "app/platform/runtime_folder.h"

namespace zeph {
namespace {

constexpr int kAnswerWaitMs = 5000;

}  // namespace

QString FrameSocketPath() {
  return RuntimeFolder() + QStringLiteral("/ZephSMSMain.sock");
}

RunningFrame::RunningFrame(const QString& socketPath) : socket_(std::make_unique<QLocalSocket>()) {
  socket_->connectToServer(socketPath);
  socket_->waitForConnected(kAnswerWaitMs);
}

RunningFrame::~RunningFrame() = default;

bool RunningFrame::Found() const {
  return socket_->state() == QLocalSocket::ConnectedState;
}

bool RunningFrame::Send(const char* request) {
  if (!Found()) return false;
  socket_->write(request);
  socket_->write("\n");
  if (!socket_->waitForBytesWritten(kAnswerWaitMs)) return false;
  while (!socket_->canReadLine()) {
    if (!socket_->waitForReadyRead(kAnswerWaitMs)) return false;
  }
  return socket_->readLine().trimmed() == "ok";
}

FrameChannel::FrameChannel(std::function<void()> show, std::function<void()> stop)
    : show_(std::move(show)), stop_(std::move(stop)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_.nextPendingConnection()) Serve(client);
  });
}

bool FrameChannel::Listen(const QString& socketPath) {
  QLocalServer::removeServer(socketPath);
  return server_.listen(socketPath);
}

void FrameChannel::Serve(QLocalSocket* client) {
  connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
  connect(client, &QLocalSocket::readyRead, this, [this, client] {
    while (client->canReadLine()) {
      const QByteArray request = client->readLine().trimmed();
      const bool known = request == "show" || request == "stop";
      client->write(known ? "ok\n" : "unknown\n");
      client->flush();
      if (request == "show") show_();
      if (request == "stop") stop_();
    }
  });
}

}  // namespace zeph
