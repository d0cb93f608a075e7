#include "game/PlayerName.h"

#include <vector>

namespace lumaro {
namespace {

constexpr char32_t kBad = 0xFFFD;

// The characters of UTF-8 text; a byte that starts no valid sequence counts as one bad character,
// and an unfinished sequence at the very end is dropped.
std::vector<char32_t> decodeUtf8(std::string_view text) {
    std::vector<char32_t> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0) {
            out.push_back(kBad);
            ++i;
            continue;
        }
        if (i + static_cast<std::size_t>(length) > text.size()) break;
        char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto follower = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = valid && (follower & 0xC0) == 0x80;
            c = (c << 6) | (follower & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not characters.
        const char32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && c >= least[length] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        if (!valid) {
            out.push_back(kBad);
            ++i;
            continue;
        }
        out.push_back(c);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Control characters (C0, DEL and C1) would move the cursor of a field or break a line.
bool isControl(char32_t c) { return c < 32 || (c >= 127 && c < 160); }

// Up to 20 characters that are not control characters, as UTF-8.
std::string held(const std::vector<char32_t>& characters) {
    std::string out;
    std::size_t kept = 0;
    for (char32_t c : characters) {
        if (isControl(c)) continue;
        if (kept++ == kMaxNameCharacters) break;
        appendUtf8(out, c);
    }
    return out;
}

}  // namespace

std::string nameFromBytes(std::string_view bytes) {
    std::vector<char32_t> latin1;
    for (char b : bytes) latin1.push_back(static_cast<unsigned char>(b));
    return held(latin1);
}

std::string nameToBytes(std::string_view name) {
    std::string out;
    for (char32_t c : decodeUtf8(heldName(name))) out.push_back(c < 256 ? static_cast<char>(c) : '?');
    return out;
}

std::string heldName(std::string_view name) {
    return held(decodeUtf8(name));
}

}  // namespace lumaro
