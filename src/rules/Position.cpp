#include "rules/Position.h"

namespace lumaro {

bool Position::sameCheckersAs(const Position& other) const {
    for (int p = 1; p <= 24; ++p) {
        if (count[p] != other.count[p]) return false;
        if (count[p] > 0 && colour[p] != other.colour[p]) return false;
    }
    return barWhite == other.barWhite && barBlack == other.barBlack && offWhite == other.offWhite &&
           offBlack == other.offBlack;
}

Position normalized(const Position& pos) {
    Position out = pos;
    out.count[0] = 0;
    out.colour[0] = 0;
    for (int p = 1; p <= 24; ++p)
        if (out.count[p] == 0) out.colour[p] = 0;
    return out;
}

Byte whitePhaseOf(const Position& pos) {
    if (pos.barWhite > 0) return 1;
    for (int p = 1; p <= 6; ++p)
        if (pos.hasWhite(p)) return 2;
    int home = 0;
    for (int p = 19; p <= 24; ++p)
        if (pos.hasWhite(p)) home += pos.count[p];
    if (home == kCheckersPerSide) return 3;
    if (home + pos.offWhite == kCheckersPerSide) return 4;
    return 0;
}

Byte blackPhaseOf(const Position& pos) {
    if (pos.barBlack > 0) return 1;
    for (int p = 19; p <= 24; ++p)
        if (pos.hasBlack(p)) return 2;
    int home = 0;
    for (int p = 1; p <= 6; ++p)
        if (pos.hasBlack(p)) home += pos.count[p];
    if (home == kCheckersPerSide) return 3;
    if (home + pos.offBlack == kCheckersPerSide) return 4;
    return 0;
}

int whiteCheckersOf(const Position& pos) {
    int n = pos.barWhite + pos.offWhite;
    for (int p = 1; p <= 24; ++p)
        if (pos.hasWhite(p)) n += pos.count[p];
    return n;
}

int blackCheckersOf(const Position& pos) {
    int n = pos.barBlack + pos.offBlack;
    for (int p = 1; p <= 24; ++p)
        if (pos.hasBlack(p)) n += pos.count[p];
    return n;
}

int winKind(const Position& pos, Side winner) {
    const bool whiteWon = winner == Side::White;
    if ((whiteWon ? pos.offBlack : pos.offWhite) > 0) return 1;
    const Byte loserPhase = whiteWon ? blackPhaseOf(pos) : whitePhaseOf(pos);
    return loserPhase == 1 || loserPhase == 2 ? 3 : 2;
}

Position startingPosition() {
    Position pos;
    auto put = [&pos](int p, int n, Byte c) {
        pos.count[p] = static_cast<Byte>(n);
        pos.colour[p] = c;
    };
    put(1, 2, kWhite);
    put(12, 5, kWhite);
    put(17, 3, kWhite);
    put(19, 5, kWhite);
    put(24, 2, kBlack);
    put(13, 5, kBlack);
    put(8, 3, kBlack);
    put(6, 5, kBlack);
    return pos;
}

Position mirrored(const Position& pos) {
    Position m;
    for (int p = 1; p <= 24; ++p) {
        const int q = 25 - p;
        m.count[q] = pos.count[p];
        m.colour[q] = pos.count[p] > 0 ? static_cast<Byte>(pos.colour[p] ^ 1) : 0;
    }
    m.barWhite = pos.barBlack;
    m.barBlack = pos.barWhite;
    m.offWhite = pos.offBlack;
    m.offBlack = pos.offWhite;
    return m;
}

int whitePipCount(const Position& pos) {
    int pips = 25 * pos.barWhite;
    for (int p = 1; p <= 24; ++p)
        if (pos.hasWhite(p)) pips += (25 - p) * pos.count[p];
    return pips;
}

int blackPipCount(const Position& pos) {
    int pips = 25 * pos.barBlack;
    for (int p = 1; p <= 24; ++p)
        if (pos.hasBlack(p)) pips += p * pos.count[p];
    return pips;
}

}  // namespace lumaro
