#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zeph {

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path);

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
// the new one, never a cut one: the bytes go to a temporary file in the same
// folder, which is flushed to disk and then renamed over the old file. On any
// failure the temporary file is removed, the old file is left whole and the
// result is false.
//
// What the user set on the file survives the replacement: an existing file
// keeps its mode bits exactly (whatever the umask) and its owner and group
// where the process may set them. A symbolic link (a store kept in a synced
// or encrypted folder) is written through: the link is followed to its final
// target, the temporary file is made beside the target and renamed over it,
// so the link stays a link and its target holds the new bytes. A new file is
// made with `newFileMode` less the umask.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                                       Durability durability = Durability::kSynced,
                                       unsigned newFileMode = kPrivateFileMode);

}  // namespace zeph
