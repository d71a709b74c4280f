#include "core/util/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

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

// Whether the file at `path` holds exactly `bytes`. Read in steps, so a
// file that differs early costs one step.
bool Holds(const std::string& path, std::span<const uint8_t> bytes) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  uint8_t step[64 * 1024];
  size_t done = 0;
  bool same = true;
  while (same) {
    ssize_t got = ::read(fd, step, sizeof step);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    const size_t size = static_cast<size_t>(got);
    same = done + size <= bytes.size() && std::memcmp(step, bytes.data() + done, size) == 0;
    done += size;
  }
  ::close(fd);
  return same && done == bytes.size();
}

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write to `path` must replace: `path` itself, or the final
// target of the chain of symbolic links it starts, which need not exist yet
// (a link to a file not made so far). None, errno set, for a loop or an
// unreadable link.
std::optional<std::string> FinalTarget(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char target[PATH_MAX];
    ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    if (length < 0) return std::nullopt;  // errno says why
    if (length == 0 || static_cast<size_t>(length) >= sizeof target) {
      errno = ENAMETOOLONG;
      return std::nullopt;
    }
    std::string next(target, static_cast<size_t>(length));
    path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
  }
  errno = ELOOP;
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

std::optional<FileBytes> ReadFileBytes(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  size_t capacity = 1;  // one more than the size: the read that finds the end needs room
  if (::fstat(fd, &info) == 0 && info.st_size > 0) capacity += static_cast<size_t>(info.st_size);
  FileBytes file;
  file.data_ = std::make_unique_for_overwrite<uint8_t[]>(capacity);
  for (;;) {
    if (file.size_ == capacity) {  // the file grows meanwhile: read on
      auto larger = std::make_unique_for_overwrite<uint8_t[]>(capacity * 2);
      std::memcpy(larger.get(), file.data_.get(), file.size_);
      file.data_ = std::move(larger);
      capacity *= 2;
    }
    ssize_t got = ::read(fd, file.data_.get() + file.size_, capacity - file.size_);
    if (got < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    file.size_ += static_cast<size_t>(got);
  }
  ::close(fd);
  return file;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  std::optional<FileBytes> file = ReadFileBytes(path);
  if (!file) return std::nullopt;
  const std::span<const uint8_t> bytes = file->Bytes();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         Durability durability, unsigned newFileMode) {
  const std::optional<std::string> target = FinalTarget(path);
  if (!target) return false;
  struct stat old {};
  const bool existed = ::stat(target->c_str(), &old) == 0;
  // Only a regular file is replaced: renaming over a folder or a device
  // would fail or do harm.
  if (existed && !S_ISREG(old.st_mode)) {
    errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
    return false;
  }
  // A file that already holds these bytes, written by an earlier save that
  // made them durable, is left as it is: a rewrite would only cost a flush.
  if (existed && static_cast<size_t>(old.st_size) == bytes.size() && Holds(*target, bytes)) {
    return true;
  }

  std::string temporary;
  int fd = CreateTemporaryBeside(*target, newFileMode, temporary);
  if (fd < 0) return false;
  if (existed) KeepAttributes(fd, old);
  // The data must be on the disk before the rename is: a power cut then
  // leaves the old file or the new one, never a cut one. Only the data is
  // flushed (the temporary file's times are of no use), and the folder is
  // not: a rename lost to a power cut leaves the previous whole file, as if
  // the save had come a moment later (a journalling file system keeps
  // renames in their order, so a later save is never kept without it).
  const bool sync = durability == Durability::kSynced;
  bool ok = WriteAll(fd, bytes.data(), bytes.size()) && (!sync || ::fdatasync(fd) == 0);
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temporary.c_str(), target->c_str()) == 0;
  if (!ok) {
    const int error = errno;  // the failure's reason, not the clean-up's
    ::unlink(temporary.c_str());
    errno = error;
    return false;
  }
  return true;
}

}  // namespace zeph
