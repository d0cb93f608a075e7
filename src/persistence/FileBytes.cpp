#include "persistence/FileBytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace lumaro {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path) {
    std::error_code ec;
    // A directory opens as a stream on some systems but has no bytes to give.
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::string temporaryPathFor(const std::string& path) { return path + ".tmp"; }

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string temporary = temporaryPathFor(path);
    std::error_code ec;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

}  // namespace lumaro
