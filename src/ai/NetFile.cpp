#include "ai/NetFile.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "files/FileBytes.h"

namespace lumaro {

std::vector<double> netValuesFromBytes(std::span<const std::uint8_t> bytes, std::size_t maxValues) {
    const std::size_t count = std::min(bytes.size() / 8, maxValues);
    std::vector<double> values(count);
    for (std::size_t k = 0; k < count; ++k) {
        std::uint64_t bits = 0;
        for (int b = 7; b >= 0; --b) bits = bits << 8 | bytes[k * 8 + static_cast<std::size_t>(b)];
        values[k] = std::bit_cast<double>(bits);
    }
    return values;
}

std::optional<std::vector<double>> readNetFile(const std::string& path, std::size_t maxValues) {
    const auto bytes = readFileBytes(path, maxValues * 8);
    if (!bytes) return std::nullopt;
    return netValuesFromBytes(*bytes, maxValues);
}

std::string netFileProblem(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec) return ec.message();
    if (!fs::exists(status)) return std::make_error_code(std::errc::no_such_file_or_directory).message();
    if (fs::is_directory(status)) return "is a folder, not a weight file";
    if (!fs::is_regular_file(status)) return "is not a regular file";
    errno = 0;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fclose(f);
        return "could not be read";
    }
    return errno ? std::strerror(errno) : "could not be opened";
}

std::string weightCountProblem(const std::string& name, std::size_t count, std::size_t needed) {
    if (count >= needed) return {};
    return name + ": holds " + std::to_string(count) + " of its " + std::to_string(needed) + " weights";
}

bool saveNet(const std::string& path, std::span<const double> values) {
    std::vector<std::uint8_t> bytes(values.size() * 8);
    for (std::size_t k = 0; k < values.size(); ++k) {
        const auto bits = std::bit_cast<std::uint64_t>(values[k]);
        for (int b = 0; b < 8; ++b) bytes[k * 8 + b] = static_cast<std::uint8_t>(bits >> (8 * b));
    }
    // Renamed into place whole: a game or a match reading the folder meanwhile (the trainer
    // rewrites its weights at every checkpoint) never sees half a file.
    return writeFileAtomically(path, bytes);
}

}  // namespace lumaro
