// Replays inputs through a fuzz target's entry point without libFuzzer, so that the ordinary build
// checks the seed corpora and every crash ever found: `replay_NAME DIR_OR_FILE...`. A missing
// folder is skipped (a target may have no reproducers yet). Any broken check aborts the program.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"

namespace fs = std::filesystem;

namespace {

// Corpus files are small (the largest is a weight file of 200 KB), so they are read whole.
std::vector<std::uint8_t> bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        std::error_code ec;
        if (fs::is_regular_file(arg, ec)) {
            files.push_back(arg);
        } else if (fs::is_directory(arg, ec)) {
            for (const auto& entry : fs::directory_iterator(arg))
                if (entry.is_regular_file()) files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::fprintf(stderr, "%s\n", file.string().c_str());
        const std::vector<std::uint8_t> bytes = bytesOf(file);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("%zu inputs replayed\n", files.size());
    return files.empty() ? 1 : 0;  // no input at all means the folders are wrong
}
