#include "core/util/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>

namespace zeph {
namespace {

// As many links as the system follows in one path before it gives up.
constexpr int kMaxLinkHops = 40;

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable. A folder that cannot be synced (some file
// systems refuse) does not make the save fail: the data is already on disk.
void SyncFolderOf(const std::string& path) {
  int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// The file a write to `path` must replace: `path` itself, or the final
// target of the chain of symbolic links it starts, which need not exist yet
// (a link to a file not made so far). None for a loop or an unreadable link.
std::optional<std::string> FinalTarget(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char target[PATH_MAX];
    ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof target) return std::nullopt;
    std::string next(target, static_cast<size_t>(length));
    path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
  }
  return std::nullopt;
}

// A new, empty file beside `target`, made with `mode` less the umask and
// opened for writing; its name in `temporary`. mkstemp is not used because
// it always makes 0600, whatever the umask would allow.
int CreateTemporaryBeside(const std::string& target, unsigned mode, std::string& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target + ".tmp" + std::to_string(::getpid()) + "-" +
                std::to_string(counter.fetch_add(1, std::memory_order_relaxed));
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    static_cast<mode_t>(mode));
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Gives the temporary file what the replaced file had: owner and group
// where the process may set them (a failure leaves the process's own), then
// the mode bits exactly, after the change of owner, which may clear them.
void KeepAttributes(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Not the owner's to give away: keep at least the group if allowed.
      (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
  }
  ::fchmod(fd, old.st_mode & 07777);
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  size_t expected = 0;
  if (::fstat(fd, &info) == 0 && info.st_size > 0) expected = static_cast<size_t>(info.st_size);
  // Read straight into the buffer; a file that grows meanwhile is read on.
  std::vector<uint8_t> bytes(expected + 1);
  size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
    ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  ::close(fd);
  bytes.resize(filled);
  return bytes;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         Durability durability, unsigned newFileMode) {
  const std::optional<std::string> target = FinalTarget(path);
  if (!target) return false;
  struct stat old {};
  const bool existed = ::stat(target->c_str(), &old) == 0;
  // Only a regular file is replaced: renaming over a folder or a device
  // would fail or do harm.
  if (existed && !S_ISREG(old.st_mode)) return false;

  std::string temporary;
  int fd = CreateTemporaryBeside(*target, newFileMode, temporary);
  if (fd < 0) return false;
  if (existed) KeepAttributes(fd, old);
  const bool sync = durability == Durability::kSynced;
  bool ok = WriteAll(fd, bytes.data(), bytes.size()) && (!sync || ::fsync(fd) == 0);
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temporary.c_str(), target->c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  if (sync) SyncFolderOf(*target);
  return true;
}

}  // namespace zeph
