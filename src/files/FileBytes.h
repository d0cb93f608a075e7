#pragma once
// Bounded reads and crash-safe whole-file writes for the game's small binary files.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumaro {

// The first `maxBytes` bytes of a regular file (all of a shorter one), or nothing when it is missing
// or cannot be read. However large the file, no more than `maxBytes` are read or held, and running
// out of memory gives nothing instead of an exception: any file the user picks is safe to read.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path, std::size_t maxBytes);

// Writes to a new temporary file beside `path` (a name of its own, created fresh: no file or link
// already there is opened), syncs it to the disk, renames it over `path` and syncs the folder, so
// a failed write leaves any earlier file untouched and a power cut leaves the old file or the new
// one. Nothing is left beside `path` when a step fails. Returns false on any failure, and then puts
// the system's reason in `whyNot` when given.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* whyNot = nullptr);

}  // namespace lumaro
