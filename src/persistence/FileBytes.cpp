#include "persistence/FileBytes.h"

#include <cerrno>
#include <cstring>
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
