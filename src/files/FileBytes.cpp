#include "files/FileBytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
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

namespace {

std::uint64_t randomSeed() {
    try {
        std::random_device device;
        return (std::uint64_t{device()} << 32) ^ device();
    } catch (const std::exception&) {
        // No random device: the clock and the process differ enough; O_EXCL keeps it safe anyway.
        return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
               (static_cast<std::uint64_t>(::getpid()) << 40);
    }
}

// A name for the temporary file beside `path` that no other file is likely to have.
std::string temporaryNameFor(const std::string& path) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random(randomSeed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string name = path + ".tmp-";
    for (int i = 0; i < 8; ++i) name += kLetters[pick(random)];
    return name;
}

// A new temporary file beside `path`, opened for writing. O_EXCL makes sure it is new: it never
// opens a file someone left there, nor follows a symbolic link planted under that name.
int createTemporaryBeside(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryNameFor(path);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// After the rename the new name lives in the folder: syncing the folder keeps it over a power cut.
// A file system that cannot sync a folder says EINVAL; there is nothing more to do then.
bool syncFolderOf(const std::string& path) {
    std::string folder = fs::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return synced;
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* whyNot) {
    auto fail = [whyNot](int error) {
        if (whyNot) *whyNot = error ? std::strerror(error) : "Unknown error";
        return false;
    };
    std::string temporary;
    errno = 0;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0) return fail(errno);
    // Every step that fails removes the temporary file, so nothing is left beside the target.
    auto abandon = [&](int error) {
        ::unlink(temporary.c_str());
        return fail(error);
    };
    // The bytes reach the disk before the rename: after a power cut the file has its old contents
    // or its new ones, never an empty file under the new name.
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return abandon(error);
    }
    if (::close(fd) != 0) return abandon(errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0) return abandon(errno);
    if (!syncFolderOf(path)) return fail(errno);
    return true;
}

}  // namespace lumaro
