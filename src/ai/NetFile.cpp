#include "ai/NetFile.h"

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "persistence/FileBytes.h"

namespace lumaro {

std::optional<std::vector<double>> readNetFile(const std::string& path, std::size_t maxValues) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<unsigned char> bytes(maxValues * 8);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return std::nullopt;
    const std::size_t count = static_cast<std::size_t>(in.gcount()) / 8;
    std::vector<double> values(count);
    for (std::size_t k = 0; k < count; ++k) {
        std::uint64_t bits = 0;
        for (int b = 7; b >= 0; --b) bits = bits << 8 | bytes[k * 8 + b];
        values[k] = std::bit_cast<double>(bits);
    }
    return values;
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
