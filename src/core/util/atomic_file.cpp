#include "core/util/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zeph {
namespace {

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

// Makes the rename itself durable. A folder that cannot be synced (some file
// systems refuse) does not make the save fail: the data is already on disk.
void SyncFolderOf(const std::string& path) {
  std::string folder = ".";
  if (auto slash = path.rfind('/'); slash != std::string::npos) {
    folder = slash == 0 ? "/" : path.substr(0, slash);
  }
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
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
                         Durability durability) {
  std::string temporary = path + ".XXXXXX";
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  // mkstemp creates the file 0600; store files are ordinary user files.
  ::fchmod(fd, 0644);
  const bool sync = durability == Durability::kSynced;
  bool ok = WriteAll(fd, bytes.data(), bytes.size()) && (!sync || ::fsync(fd) == 0);
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  if (sync) SyncFolderOf(path);
  return true;
}

}  // namespace zeph
