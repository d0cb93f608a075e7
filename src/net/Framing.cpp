#include "net/Framing.h"

namespace lumaro::net {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendHex(std::string& out, Byte value) {
    out.push_back(kHexDigits[value >> 4]);
    out.push_back(kHexDigits[value & 15]);
}

Byte nibble(char c) {
    if (c >= '0' && c <= '9') return static_cast<Byte>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<Byte>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<Byte>(c - 'a' + 10);
    return 0;
}

}  // namespace

Byte hexPair(char high, char low) { return static_cast<Byte>(nibble(high) * 16 + nibble(low)); }

std::string frameMessage(Tag tag, const Payload& payload, int n, Byte key) {
    if (n < 1) n = 1;
    if (n > kMaxPayload) n = kMaxPayload;
    Byte check = 0;
    for (int i = 1; i <= n; ++i) check ^= payload[i];
    std::string out = tag == Tag::Command ? "cmnd" : "resp";
    out.reserve(kHeaderLength + 2 * n);
    appendHex(out, key);
    appendHex(out, check);
    appendHex(out, static_cast<Byte>(kHeaderLength + 2 * n));
    for (int i = 1; i <= n; ++i) appendHex(out, static_cast<Byte>(payload[i] ^ key));
    return out;
}

std::string chatMessage(std::string_view text) { return "chat" + std::string(text); }

Parsed parseBlock(std::string_view block) {
    Parsed out;
    if (block.size() < 5) return out;
    const std::string_view tag = block.substr(0, 4);
    if (tag == "chat") {
        out.kind = Parsed::Kind::Chat;
        out.chat = std::string(block.substr(4));
        return out;
    }
    if (block.size() < 11) return out;
    const bool command = tag == "cmnd";
    if (!command && tag != "resp") return out;
    const Byte key = hexPair(block[4], block[5]);
    if (key == 0) return out;
    const Byte check = hexPair(block[6], block[7]);
    const Byte length = hexPair(block[8], block[9]);
    // A block longer than 255 characters can never match its one-byte length.
    if (block.size() != length) return out;
    const std::string_view text = block.substr(kHeaderLength);
    if (text.size() > 2 * kMaxPayload || text.size() < 2 || text.size() % 2 != 0) return out;
    const int n = static_cast<int>(text.size() / 2);
    Byte sum = 0;
    for (int i = 1; i <= n; ++i) {
        out.payload[i] = static_cast<Byte>(hexPair(text[2 * i - 2], text[2 * i - 1]) ^ key);
        sum ^= out.payload[i];
    }
    if (sum != check) {
        out.payload = {};
        return out;
    }
    out.kind = command ? Parsed::Kind::Command : Parsed::Kind::Response;
    out.key = key;
    out.length = n;
    return out;
}

}  // namespace lumaro::net
