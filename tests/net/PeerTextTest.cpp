// Addresses, names and received moves: what comes from the peer or the player is checked first.
#include <gtest/gtest.h>

#include "rules/PlayApply.h"
#include "net/PeerText.h"
#include "net/ReceivedMove.h"

namespace lumaro::net {
namespace {

TEST(PeerText, DottedAddressesOnly) {
    for (const char* good : {"1.2.3.4", "192.168.100.200", "0.0.0.0", "255.255.255.255", "127.0.0.1"})
        EXPECT_TRUE(isIpAddress(good)) << good;
    for (const char* bad : {"1.2.3", "256.1.1.1", "1..2.3.4", ".1.2.3.4", "1.2.3.4.5", "10.20.30.", "192.168.1.300",
                            "localhost", "a.b.c.d", "1.2.3.-4", "", "1.2.3.4 ", "0001.2.3.4"})
        EXPECT_FALSE(isIpAddress(bad)) << bad;
}

TEST(PeerText, LocalAddressSkipsLoopback) {
    EXPECT_EQ(chooseLocalAddress({"10.0.0.5", "192.168.1.7"}, {"192.168.1.99"}), "192.168.1.7");
    EXPECT_EQ(chooseLocalAddress({"127.0.1.1"}, {"127.0.0.1", "fe80::1", "192.168.1.99", "10.1.1.1"}), "192.168.1.99");
    EXPECT_EQ(chooseLocalAddress({"127.0.1.1"}, {"127.0.0.1"}), "127.0.1.1");
    EXPECT_EQ(chooseLocalAddress({}, {"10.2.3.4"}), "10.2.3.4");
    EXPECT_EQ(chooseLocalAddress({}, {}), "");
    EXPECT_EQ(mailIpLink("10.2.3.4"), "mailto:?subject=Lumaro%202%20:%20IP%20=%2010.2.3.4");
}

TEST(PeerText, LinesLoseControls) {
    EXPECT_EQ(withoutControls("a\r\nb"), "ab");
    EXPECT_EQ(withoutControls(std::string("a\0b", 3)), "ab");
    EXPECT_EQ(withoutControls("a\x7f\x85\x9f\xa0\xe9"), "a\xa0\xe9");  // DEL and C1 go; Latin-1 letters stay
}

Payload move(std::initializer_list<int> pairs) {
    Payload p{};
    p[1] = 14;
    int i = 2;
    for (int v : pairs) p[i++] = static_cast<Byte>(v);
    return p;
}

TEST(ReceivedMove, MirroredAndChecked) {
    const Position start = startingPosition();
    // The peer's 13/11 5/... seen here: its point 1 is our 24. 6-5 from its back checkers: 1 -> 7 -> 12.
    const Play run = receivedPlay(move({1, 6, 7, 5}));
    EXPECT_EQ(run[1].point, 24);
    EXPECT_EQ(run[2].point, 18);
    EXPECT_TRUE(receivedMoveIsLegal(start, 6, 5, run));
    // Pairs with die 0 are left out wherever they stand.
    EXPECT_TRUE(receivedMoveIsLegal(start, 6, 5, receivedPlay(move({0, 0, 1, 6, 0, 0, 7, 5}))));
    struct Case {
        const char* why;
        Payload payload;
        Byte a, b;
        bool legal;
    };
    const std::vector<Case> cases = {
        {"a die not rolled", move({1, 6, 7, 4}), 6, 5, false},
        {"a die used twice", move({1, 6, 1, 6}), 6, 5, false},
        {"a doublet four times", move({1, 6, 1, 6, 12, 6, 12, 6}), 6, 6, true},
        {"a doublet five times cannot be sent; three when four fit", move({1, 6, 1, 6, 12, 6}), 6, 6, false},
        {"a point without a checker", move({2, 6, 8, 5}), 6, 5, false},
        {"onto a closed point", move({1, 5, 6, 6}), 6, 5, false},
        {"only one die when both fit", move({1, 6}), 6, 5, false},
        {"an empty move when steps were possible", move({}), 6, 5, false},
        {"dice out of range", move({1, 6, 7, 5}), 7, 5, false},
        {"a point out of range", move({200, 6, 7, 5}), 6, 5, false},
        {"bearing off from the start", move({19, 6, 20, 5}), 6, 5, false},
    };
    for (const Case& c : cases) EXPECT_EQ(receivedMoveIsLegal(start, c.a, c.b, receivedPlay(c.payload)), c.legal) << c.why;

    // Black on the bar must enter first: any point byte of an entry is ignored.
    Position bar = start;
    bar.count[24] = 1;
    bar.barBlack = 1;
    EXPECT_TRUE(receivedMoveIsLegal(bar, 3, 1, receivedPlay(move({22, 3, 17, 1}))));
    // Nothing can be played: only the empty move is legal.
    Position closed{};
    closed.barBlack = 15;
    for (int p = 19; p <= 24; ++p) {
        closed.count[p] = 2;
        closed.colour[p] = kWhite;
    }
    closed.offWhite = 3;
    EXPECT_TRUE(receivedMoveIsLegal(closed, 3, 1, receivedPlay(move({}))));
    EXPECT_FALSE(receivedMoveIsLegal(closed, 3, 1, receivedPlay(move({22, 3}))));
    // The last checker borne off ends the game whichever die of the roll took it, and only a die
    // of the roll: from the 6-point with a 6, not after a 2-1.
    Position last{};
    last.count[6] = 1;
    last.colour[6] = kBlack;
    last.offBlack = 14;
    last.count[24] = 15;
    last.colour[24] = kWhite;
    EXPECT_TRUE(receivedMoveIsLegal(last, 6, 1, receivedPlay(move({19, 6}))));
    EXPECT_FALSE(receivedMoveIsLegal(last, 2, 1, receivedPlay(move({19, 6}))));
}

}  // namespace
}  // namespace lumaro::net
