#include "app/cli/NetsFolder.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "ai/NeuralNets.h"

namespace lumaro {

std::string executableFolder() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string full(path, static_cast<std::size_t>(n));
    const auto slash = full.rfind('/');
    return slash == std::string::npos ? "." : full.substr(0, slash);
}

std::string netsFolderFor(const std::string& programFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(fs::path(programFolder) / "nn1.bin", ec)) return programFolder;
    const fs::path installed = (fs::path(programFolder) / ".." / "share" / "lumaro2").lexically_normal();
    if (fs::exists(installed / "nn1.bin", ec)) return installed.string();
    return programFolder;
}

bool loadExpertNets(NeuralNets& nets, const std::string& folder) {
    nets.loadNets(folder);
    if (nets.usable()) return true;
    std::fprintf(stderr, "lumaro-cli: level 3 needs both network weight files (--nets DIR):\n%s\n",
                 nets.unusableReason().c_str());
    return false;
}

}  // namespace lumaro
