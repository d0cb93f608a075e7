#pragma once
// chat.txt: every line sent ("I - ") and received ("O - "), one a line, kept across runs.
#include <string>
#include <string_view>

namespace lumaro::net {

// Appends the line and a carriage return and line feed. A file that cannot be opened or written
// loses the line and says nothing: the chat goes on.
void appendChatLog(const std::string& path, std::string_view line);

}  // namespace lumaro::net
