#pragma once
// Files of a gigabyte that take no disk, and a child process with little memory: for the tests that
// show a reader takes no more of a file than it needs.
#include <sys/resource.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace lumaro {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uintmax_t kOneGiB = std::uintmax_t{1} << 30;

inline void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// `head` followed by zeros up to 1 GiB. The zeros are a hole in the file, so the disk holds none
// of them, but a reader that takes the whole file gets a gigabyte.
inline std::string hugeFileStartingWith(const testing::TempFolder& folder, const std::string& name, const Bytes& head) {
    const std::string path = folder.file(name);
    writeBytes(path, head);
    std::filesystem::resize_file(path, kOneGiB);
    return path;
}

// Runs `body` in a child process that cannot have more than 256 MiB of address space, as on a
// machine with little memory; the child's exit status says whether `body` returned true.
template <class Body>
[[noreturn]] void exitWithLittleMemory(Body body) {
    const rlimit limit{256u << 20, 256u << 20};
    setrlimit(RLIMIT_AS, &limit);
    std::exit(body() ? 0 : 1);
}

// AddressSanitizer reserves terabytes of address space for its shadow memory, so a process
// limited to 256 MiB cannot even start under it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

#define SKIP_UNDER_ADDRESS_SANITIZER() \
    if (kAddressSanitizer) GTEST_SKIP() << "a memory limit cannot be set under AddressSanitizer"

template <class Body>
void withLittleMemory(Body body) {
    EXPECT_EXIT(exitWithLittleMemory(body), ::testing::ExitedWithCode(0), "");
}

}  // namespace lumaro
