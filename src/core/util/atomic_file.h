#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zeph {

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

// The same in a buffer that is not cleared before the file is read into it:
// the store files are read whole at every folder refresh, and clearing
// megabytes only to overwrite them costs as much as a good part of the read.
class FileBytes {
 public:
  std::span<const uint8_t> Bytes() const { return {data_.get(), size_}; }

 private:
  friend std::optional<FileBytes> ReadFileBytes(const std::string& path);
  std::unique_ptr<uint8_t[]> data_;
  size_t size_ = 0;
};
std::optional<FileBytes> ReadFileBytes(const std::string& path);

// kUnsynced skips the flush to disk; the benchmarks use it to measure the
// program's own work apart from the disk's, and the card-service emulator
// for its state.
enum class Durability { kSynced, kUnsynced };

// The mode a file gets when the write creates it, before the umask. Store
// files hold private messages: 0600. A file the user exports to share
// (a picture file) is made as any new file is: 0666 less the umask.
inline constexpr unsigned kPrivateFileMode = 0600;
inline constexpr unsigned kSharedFileMode = 0666;

// Replaces `path` with `bytes` so that a reader sees either the old file or
// the new one, never a cut one, also after a power cut: the bytes go to a
// temporary file in the same folder, whose data is flushed to disk before it
// is renamed over the old file. On any failure the temporary file is
// removed, the old file is left whole and the result is false. A file that
// already holds exactly `bytes` is not written again (the result is true).
//
// What the user set on the file survives the replacement: an existing file
// keeps its mode bits exactly (whatever the umask) and its owner and group
// where the process may set them. A symbolic link (a store kept in a synced
// or encrypted folder) is written through: the link is followed to its final
// target, the temporary file is made beside the target and renamed over it,
// so the link stays a link and its target holds the new bytes. A new file is
// made with `newFileMode` less the umask. On failure errno says why (EISDIR
// for a folder in the file's place, ELOOP for a loop of links).
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                                       Durability durability = Durability::kSynced,
                                       unsigned newFileMode = kPrivateFileMode);

}  // namespace zeph
