#include "rules/IdBits.h"

namespace lumaro {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int valueOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

std::size_t charsFor(std::size_t bytes) { return (bytes * 8 + 5) / 6; }

// A character as a message shows it: printable ones as themselves, others by their code.
std::string shown(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code > 32 && code < 127) return std::string("'") + c + "'";
    return "a character of code " + std::to_string(code);
}

}  // namespace

std::string base64Of(std::span<const Byte> bytes) {
    std::string out;
    unsigned buffer = 0;
    int held = 0;
    for (Byte b : bytes) {
        buffer = (buffer << 8 | b) & 0xFFFF;
        held += 8;
        while (held >= 6) {
            held -= 6;
            out += kAlphabet[buffer >> held & 63];
        }
    }
    if (held > 0) out += kAlphabet[buffer << (6 - held) & 63];
    return out;
}

bool readBase64(std::string_view text, std::span<Byte> out, const char* what, std::string& whyNot) {
    const std::size_t wanted = charsFor(out.size());
    if (text.size() != wanted) {
        whyNot = std::string(what) + " must be " + std::to_string(wanted) + " characters long, not " +
                 std::to_string(text.size()) + ".";
        return false;
    }
    unsigned buffer = 0;
    int held = 0;
    std::size_t filled = 0;
    for (char c : text) {
        const int v = valueOf(c);
        if (v < 0) {
            whyNot = std::string(what) + " holds " + shown(c) + ", which no ID uses.";
            return false;
        }
        buffer = (buffer << 6 | static_cast<unsigned>(v)) & 0xFFFF;
        held += 6;
        if (held >= 8) {
            held -= 8;
            out[filled++] = static_cast<Byte>(buffer >> held);
        }
    }
    // The bits the last character carries past the last byte are always written as zeros.
    if ((buffer & ((1u << held) - 1)) != 0) {
        whyNot = std::string(what) + " ends in " + shown(text.back()) + ", which no ID ends in.";
        return false;
    }
    return true;
}

}  // namespace lumaro
