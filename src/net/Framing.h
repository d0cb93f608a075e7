#pragma once
// How a chat line, a command and a response look on the wire, and how a received block is read.
// A command or response is the tag ("cmnd" or "resp"), three header bytes written as two upper-case
// hexadecimal digits each (the key, the XOR of the payload, the length of the whole message) and
// the payload, each byte XOR the key, as two hexadecimal digits. A chat line is "chat" and its text.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumaro::net {

using Byte = std::uint8_t;

inline constexpr int kMaxPayload = 120;
inline constexpr int kHeaderLength = 10;                            // tag, key, check, length
inline constexpr int kMaxMessageLength = kHeaderLength + 2 * kMaxPayload;  // 250

enum class Tag { Command, Response };

// Payload bytes 1..n (slot 0 unused, as the code is byte 1).
using Payload = std::array<Byte, kMaxPayload + 1>;

// The whole message for `n` payload bytes (1..120) masked with `key` (1..255). A length out of
// range is clamped into it.
std::string frameMessage(Tag tag, const Payload& payload, int n, Byte key);
// "chat" followed by the text: chat lines carry no header and no masking.
std::string chatMessage(std::string_view text);

// What one received block holds.
struct Parsed {
    enum class Kind { Nothing, Chat, Command, Response };
    Kind kind = Kind::Nothing;
    Payload payload{};  // unmasked; payload[1] is the code
    int length = 0;     // payload bytes, 1..120
    Byte key = 0;
    std::string chat;   // the text after "chat"
};

// Reads one block as one whole message; anything malformed, truncated or corrupted gives Nothing.
// A block that begins with "chat" and has at least one more character is a chat line, whatever
// follows.
Parsed parseBlock(std::string_view block);

// Two hexadecimal digits: "0"-"9", "A"-"F" and "a"-"f"; any other character counts as 0.
Byte hexPair(char high, char low);

}  // namespace lumaro::net
