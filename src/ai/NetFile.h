#pragma once
// Weight files: raw little-endian 64-bit doubles, no header, nothing else.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumaro {

// Up to `maxValues` doubles from the start of the file; fewer when the file is shorter (a partial
// last value is dropped). Nothing when the file is missing or cannot be read. No more of the file
// than those values is read, however large it is.
std::optional<std::vector<double>> readNetFile(const std::string& path, std::size_t maxValues);

// Why readNetFile gave nothing for `path`, in the system's words ("No such file or directory",
// "Permission denied").
std::string netFileProblem(const std::string& path);

// What a network given `count` of its `needed` weights lacks, after `name`: "" when none.
std::string weightCountProblem(const std::string& name, std::size_t count, std::size_t needed);

// The same from bytes already in memory.
std::vector<double> netValuesFromBytes(std::span<const std::uint8_t> bytes, std::size_t maxValues);

// Writes the values in the same format; false on any failure.
bool saveNet(const std::string& path, std::span<const double> values);

}  // namespace lumaro
