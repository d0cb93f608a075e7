#pragma once
// Whole-file reads and crash-safe whole-file writes for the game's small binary files.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumaro {

// The bytes of a regular file, or nothing when it is missing or cannot be read.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path);

// Writes to a temporary file beside `path`, then renames it over `path`, so a failed
// write leaves any earlier file untouched. Returns false on any failure, and then puts the
// system's reason in `whyNot` when given.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* whyNot = nullptr);

// The temporary file writeFileAtomically uses for `path` (same folder, so the rename stays
// on one file system).
std::string temporaryPathFor(const std::string& path);

}  // namespace lumaro
