#include "net/ChatLog.h"

#include <cstdio>

namespace lumaro::net {

void appendChatLog(const std::string& path, std::string_view line) {
    if (path.empty()) return;
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fwrite("\r\n", 1, 2, file);
    std::fflush(file);
    std::fclose(file);
}

}  // namespace lumaro::net
