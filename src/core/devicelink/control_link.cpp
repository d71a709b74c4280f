#include "core/devicelink/control_link.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <type_traits>

#include "core/devicelink/ipc_endpoint.h"
#include "core/util/private_folder.h"

namespace zeph {
namespace {

using nlohmann::json;

// A reply longer than this is not a control reply: the exchange gives up.
constexpr size_t kMaxReplyBytes = 4 << 20;

template <typename T>
T FieldOr(const json& object, const char* key, T fallback) {
  auto it = object.find(key);
  if (it == object.end()) return fallback;
  if constexpr (std::is_same_v<T, std::string>) {
    return it->is_string() ? it->get<std::string>() : fallback;
  } else {
    // Only integers that T holds: a float or an out-of-range value (from a
    // hostile service) keeps the fallback rather than being cast.
    if (it->is_number_unsigned()) {
      uint64_t value = it->get<uint64_t>();
      return value <= static_cast<uint64_t>(std::numeric_limits<T>::max()) ? static_cast<T>(value)
                                                                           : fallback;
    }
    if (it->is_number_integer()) {
      int64_t value = it->get<int64_t>();
      return value >= static_cast<int64_t>(std::numeric_limits<T>::min()) &&
                     value <= static_cast<int64_t>(std::numeric_limits<T>::max())
                 ? static_cast<T>(value)
                 : fallback;
    }
    return fallback;
  }
}

}  // namespace

std::string ControlSocketPath(std::string_view dir) {
  std::string path(dir);
  if (path.empty() || path.back() != '/') path += '/';
  return path + "TavikZeph.ctl";
}

ControlExchange ExchangeControlLine(const std::string& socketDir, std::string_view line,
                                    int timeoutMs) {
  ControlExchange exchange;
  IpcDir resolved = socketDir.empty() ? ResolveIpcDir() : IpcDir{socketDir};
  const std::string& dir = resolved.path;
  if (resolved.fallback) {
    // A folder another user made may hold their socket, not the service's.
    FolderCheck check = CheckPrivateFolder(dir);
    if (check.trust == FolderTrust::kMissing) {
      exchange.error = "no card service on " + dir;
      return exchange;
    }
    if (!check.ok()) {
      exchange.error = "not connecting: " + FolderRefusal(dir, check);
      return exchange;
    }
  }
  const std::string path = ControlSocketPath(dir);
  if (path.size() > MaxSocketPathLength()) {
    exchange.error = "socket path too long: " + path;
    return exchange;
  }
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  if (fd < 0 || connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    if (fd >= 0) close(fd);
    exchange.error = "no card service on " + path;
    return exchange;
  }
  std::string request(line);
  request += '\n';
  bool sent = send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
              static_cast<ssize_t>(request.size());
  std::string reply;
  while (sent && reply.find('\n') == std::string::npos && reply.size() < kMaxReplyBytes) {
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, timeoutMs) <= 0) break;
    char chunk[65536];
    ssize_t n = recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    reply.append(chunk, static_cast<size_t>(n));
  }
  close(fd);
  size_t end = reply.find('\n');
  if (end == std::string::npos) {
    exchange.error = "no answer from the card service";
    return exchange;
  }
  exchange.answered = true;
  exchange.reply = reply.substr(0, end);
  return exchange;
}

bool ParseShowReply(std::string_view line, ServiceStatus& status) {
  json reply = json::parse(line, nullptr, false);
  if (reply.is_discarded() || !reply.is_object() || reply.value("ok", json()) != true) return false;
  ServiceStatus read;
  read.backend = FieldOr<std::string>(reply, "backend", "");
  read.connectionState = FieldOr<uint32_t>(reply, "connectionState", 0);
  auto modem = reply.find("modem");
  if (modem != reply.end() && modem->is_object()) {
    read.hasModem = true;
    read.manufacturer = FieldOr<std::string>(*modem, "manufacturer", "");
    read.model = FieldOr<std::string>(*modem, "model", "");
    read.operatorName = FieldOr<std::string>(*modem, "operator", "");
    read.registration = FieldOr<std::string>(*modem, "registration", "");
    read.signalQuality = std::clamp(FieldOr<int>(*modem, "signalQuality", 0), 0, 100);
    read.note = FieldOr<std::string>(*modem, "note", "");
  }
  status = std::move(read);
  return true;
}

bool ReadServiceStatus(const std::string& socketDir, ServiceStatus& status, int timeoutMs) {
  ControlExchange exchange = ExchangeControlLine(socketDir, R"({"verb":"show"})", timeoutMs);
  return exchange.answered && ParseShowReply(exchange.reply, status);
}

}  // namespace zeph
