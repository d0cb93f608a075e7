#pragma once
// Text that comes from the peer or goes to it: chat lines and addresses (names: game/PlayerName.h).
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::net {

// Control characters of Latin-1, the chat's encoding (below 32, 127 and 128..159), removed: a
// peer's text never moves the cursor of a field or breaks a line of chat.txt.
std::string withoutControls(std::string_view text);

// A dotted IPv4 address of four numbers 0..255, 7 to 15 characters long; host names never pass.
bool isIpAddress(std::string_view text);

// The address a friend should call: the last IPv4 address the host name resolves to, unless that
// is a loopback address (127.x.x.x, which most Linux machines give for their own name); then the
// first IPv4 address of the machine's interfaces that is not one. Empty when there is none.
std::string chooseLocalAddress(const std::vector<std::string>& resolved, const std::vector<std::string>& interfaces);

// The subject line "Mail IP" puts into a new mail, as a mailto: link with no recipient.
std::string mailIpLink(std::string_view localAddress);

}  // namespace lumaro::net
