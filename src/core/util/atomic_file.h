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

// Replaces `path` with `bytes` so that a reader sees either the old file or
// the new one, never a cut one: the bytes go to a temporary file in the same
// folder, which is flushed to disk and then renamed over the old file. On any
// failure the temporary file is removed, the old file is left whole and the
// result is false.
//
// kUnsynced skips the flush to disk; only the benchmarks use it, to measure
// the program's own work apart from the disk's.
enum class Durability { kSynced, kUnsynced };
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         Durability durability = Durability::kSynced);

}  // namespace zeph
