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

// Writes to a temporary file beside `path`, then renames it over `path`, so a failed
// write leaves any earlier file untouched. Returns false on any failure, and then puts the
// system's reason in `whyNot` when given.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* whyNot = nullptr);

// The temporary file writeFileAtomically uses for `path` (same folder, so the rename stays
// on one file system).
std::string temporaryPathFor(const std::string& path);

}  // namespace lumaro
