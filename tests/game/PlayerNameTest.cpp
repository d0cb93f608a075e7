// Names are held as UTF-8 and kept in lm2.ini and on the wire as Latin-1, 20 characters at most.
#include "game/PlayerName.h"

#include <gtest/gtest.h>

namespace lumaro {
namespace {

struct Case {
    const char* what;
    std::string in;
    std::string out;
};

TEST(PlayerName, BytesFromTheFileOrThePeer) {
    const Case cases[] = {
        {"Latin-1", "Jos\xe9 Mu\xf1oz", "Jos\u00e9 Mu\u00f1oz"},
        {"bytes that happen to form UTF-8 are Latin-1 all the same", "\xdc\xba", "\u00dc\u00ba"},
        {"C0, DEL and C1 controls go", "A\x1b[2J\tB\x7f\x85" "C", "A[2JBC"},
        {"20 characters, not bytes", std::string(25, '\xe9'), [] {
             std::string s;
             for (int i = 0; i < 20; ++i) s += "\u00e9";
             return s;
         }()},
        {"nothing", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(nameFromBytes(c.in), c.out) << c.what;
}

TEST(PlayerName, BytesForTheFileAndThePeer) {
    const Case cases[] = {
        {"Latin-1 letters", "Jos\u00e9", "Jos\xe9"},
        {"a letter Latin-1 lacks", "\u0141ucja \u65e5", "?ucja ?"},
        {"broken UTF-8 in memory", "A\xff" "B", "A?B"},
        {"cut to 20 characters", "\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9\u00c9",
         std::string(20, '\xc9')},
        {"controls go", "a\r\nb", "ab"},
    };
    for (const Case& c : cases) EXPECT_EQ(nameToBytes(c.in), c.out) << c.what;
}

TEST(PlayerName, EveryLatin1LetterComesBackUnchanged) {
    for (int b = 32; b < 256; ++b) {
        if (b >= 127 && b < 160) continue;  // DEL and the C1 controls
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(nameToBytes(nameFromBytes(byte)), byte) << b;
    }
    const std::string typed = "\u00c5sa \u00d8stergaard";
    EXPECT_EQ(nameFromBytes(nameToBytes(typed)), typed);
    EXPECT_EQ(heldName(typed + typed), typed + "\u00c5sa \u00d8s");  // 20 characters
}

}  // namespace
}  // namespace lumaro
