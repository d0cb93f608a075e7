#include "files/FileBytes.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace lumaro {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path, std::size_t maxBytes) {
    std::error_code ec;
    // A directory opens as a stream on some systems but has no bytes to give.
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        // Grown a block at a time rather than sized from the file's length, which some files
        // (those under /proc) report as 0: memory follows what is really there, up to the limit.
        std::vector<std::uint8_t> bytes;
        std::array<char, 4096> block;
        while (bytes.size() < maxBytes) {
            const std::size_t wanted = std::min(block.size(), maxBytes - bytes.size());
            in.read(block.data(), static_cast<std::streamsize>(wanted));
            const auto got = static_cast<std::size_t>(in.gcount());
            bytes.insert(bytes.end(), block.data(), block.data() + got);
            if (got < wanted) break;
        }
        if (in.bad()) return std::nullopt;
        return bytes;
    } catch (const std::exception&) {
        // std::bad_alloc or std::length_error: too little memory for what the caller allowed.
        return std::nullopt;
    }
}

std::string temporaryPathFor(const std::string& path) { return path + ".tmp"; }

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* whyNot) {
    const std::string temporary = temporaryPathFor(path);
    auto fail = [whyNot](const std::string& why) {
        if (whyNot) *whyNot = why.empty() ? std::string("Unknown error") : why;
        return false;
    };
    std::error_code ec;
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return fail(errno ? std::strerror(errno) : "");
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            const std::string why = errno ? std::strerror(errno) : "";
            fs::remove(temporary, ec);
            return fail(why);
        }
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        const std::string why = ec.message();
        fs::remove(temporary, ec);
        return fail(why);
    }
    return true;
}

}  // namespace lumaro
