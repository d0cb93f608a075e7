#include "net/PeerText.h"

namespace lumaro::net {
namespace {

bool isLoopback(const std::string& address) { return address.rfind("127.", 0) == 0; }

// One number of an address: digits only, 0..255.
bool addressNumber(std::string_view part) {
    if (part.empty() || part.size() > 3) return false;
    int value = 0;
    for (char c : part) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= 255;
}

}  // namespace

std::string withoutControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 32 && !(u >= 127 && u < 160)) out.push_back(c);
    }
    return out;
}

bool isIpAddress(std::string_view text) {
    if (text.size() < 7 || text.size() > 15) return false;
    std::string_view rest = text;
    for (int k = 0; k < 3; ++k) {
        const std::size_t dot = rest.find('.');
        if (dot == std::string_view::npos || dot == 0) return false;
        if (!addressNumber(rest.substr(0, dot))) return false;
        rest.remove_prefix(dot + 1);
    }
    return addressNumber(rest);
}

std::string chooseLocalAddress(const std::vector<std::string>& resolved, const std::vector<std::string>& interfaces) {
    std::string last;
    for (const std::string& a : resolved)
        if (isIpAddress(a)) last = a;
    if (!last.empty() && !isLoopback(last)) return last;
    for (const std::string& a : interfaces)
        if (isIpAddress(a) && !isLoopback(a)) return a;
    return last;
}

std::string mailIpLink(std::string_view localAddress) {
    // The spaces of the subject are written as %20 so that every mail program reads them alike.
    std::string link = "mailto:?subject=Lumaro%202%20:%20IP%20=%20";
    link.append(localAddress);
    return link;
}

}  // namespace lumaro::net
