#include "ai/Features.h"

namespace lumaro {
namespace {

int blackOn(const Position& pos, int p) { return pos.count[p] > 0 && pos.colour[p] == kBlack ? pos.count[p] : 0; }
int whiteOn(const Position& pos, int p) { return pos.count[p] > 0 && pos.colour[p] == kWhite ? pos.count[p] : 0; }

// 5 for two checkers, 4 for three ... 1 for six or more, 0 for fewer than two.
int spreadValue(int n) {
    if (n < 2) return 0;
    if (n >= 6) return 1;
    return 7 - n;
}

// How likely a blot is hit from a checker `d` pips away.
int hitWeight(int d) {
    if (d >= 1 && d <= 6) return 3;
    if (d >= 7 && d <= 12) return 2;
    if (d == 15 || d == 16 || d == 18 || d == 20) return 1;
    return 0;
}

}  // namespace

int contactOf(const Position& pos) {
    if (pos.barWhite > 0 || pos.barBlack > 0) return 1;
    int highestBlack = 0;
    int lowestWhite = 25;
    for (int p = 1; p <= 24; ++p) {
        if (pos.count[p] == 0) continue;
        if (pos.colour[p] == kBlack)
            highestBlack = p;
        else if (lowestWhite == 25)
            lowestWhite = p;
    }
    return highestBlack > lowestWhite ? 1 : 0;
}

PositionFeatures blackFeaturesOf(const Position& pos) {
    PositionFeatures f;
    bool outsideHome = false;
    for (int p = 1; p <= 24; ++p) {
        const int b = blackOn(pos, p);
        if (b == 1) {
            ++f.blots;
            if (p >= 19) ++f.backBlots;
            if (p <= 6) ++f.homeBlots;
        } else if (b >= 2) {
            ++f.points;
            if (p >= 19) ++f.anchors;
            if (p <= 6) ++f.homePoints;
            if (p == 4 || p == 5 || p == 6 || p == 7 || p == 18 || p == 19 || p == 20 || p == 24) ++f.keyPoints;
        }
        if (p >= 19) f.backAdvance += b * (25 - p);
        f.spread += spreadValue(b);
        if (p >= 7) {
            f.progress += b * (25 - p);
            if (b > 0) outsideHome = true;
        } else {
            f.homeSpread += spreadValue(b);
            f.homeCount += b;
        }
    }
    if (!outsideHome) f.progress += 400;
    // The wall in front of each white checker: the distances to the black points ahead of it.
    for (int p = 1; p <= 23; ++p) {
        if (whiteOn(pos, p) == 0) continue;
        int wall = 0;
        for (int k = 1; k <= 6 && p + k <= 24; ++k)
            if (blackOn(pos, p + k) >= 2) wall += k;
        if (wall > f.blockade) f.blockade = wall;
    }
    for (int p = 1; p <= 24; ++p) {
        if (blackOn(pos, p) != 1) continue;
        if (p <= 6 && pos.barWhite > 0) f.shots += 3;
        for (int q = p - 1; q >= 1; --q)
            if (whiteOn(pos, q) > 0) f.shots += hitWeight(p - q);
    }
    f.contact = contactOf(pos);
    return f;
}

PositionFeatures whiteFeaturesOf(const Position& pos) {
    PositionFeatures f;
    bool outsideHome = false;
    for (int p = 1; p <= 24; ++p) {
        const int w = whiteOn(pos, p);
        if (w == 1) {
            ++f.blots;
            if (p <= 6) ++f.backBlots;
            if (p >= 19) ++f.homeBlots;
        } else if (w >= 2) {
            ++f.points;
            if (p <= 6) ++f.anchors;
            if (p >= 19) ++f.homePoints;
            if (p == 1 || p == 5 || p == 6 || p == 7 || p == 18 || p == 19 || p == 20 || p == 21) ++f.keyPoints;
        }
        if (p <= 6) f.backAdvance += w * p;
        f.spread += spreadValue(w);
        if (p <= 18) {
            f.progress += w * p;
            if (w > 0) outsideHome = true;
        } else {
            f.homeSpread += spreadValue(w);
            f.homeCount += w;
        }
    }
    if (!outsideHome) f.progress += 400;
    for (int p = 2; p <= 24; ++p) {
        if (blackOn(pos, p) == 0) continue;
        int wall = 0;
        for (int k = 1; k <= 6 && p - k >= 1; ++k)
            if (whiteOn(pos, p - k) >= 2) wall += k;
        if (wall > f.blockade) f.blockade = wall;
    }
    // White's blots are weighed by the black checkers below them, as black's are by white's below.
    for (int p = 1; p <= 24; ++p) {
        if (whiteOn(pos, p) != 1) continue;
        if (p >= 19 && pos.barBlack > 0) f.shots += 3;
        if (p >= 2 && p <= 18)
            for (int q = 1; q <= p - 1; ++q)
                if (blackOn(pos, q) > 0) f.shots += hitWeight(p - q);
    }
    f.contact = contactOf(pos);
    return f;
}

int blackRaceDistance(const Position& pos) {
    int d = 1500 + 400 * pos.barBlack - 100 * pos.offBlack;
    for (int p = 1; p <= 24; ++p) {
        const int b = blackOn(pos, p);
        if (p >= 19)
            d += 20 * b;
        else if (p >= 13)
            d += b;
        else if (p >= 7)
            d -= b;
        else
            d -= 10 * b;
    }
    return d;
}

int whiteRaceDistance(const Position& pos) {
    int d = 1500 + 400 * pos.barWhite - 100 * pos.offWhite;
    for (int p = 1; p <= 24; ++p) {
        const int w = whiteOn(pos, p);
        if (p <= 6)
            d += 20 * w;
        else if (p <= 12)
            d += w;
        else if (p <= 18)
            d -= w;
        else
            d -= 10 * w;
    }
    return d;
}

int raceCategoryOf(int ownDistance, int opponentDistance) {
    const int t = ownDistance - opponentDistance;
    if (t <= -401) return 0;
    if (t <= -51) return 1;
    if (t <= 49) return 2;
    if (t <= 425) return 3;
    return 4;
}

int blackRaceCategory(const Position& board) {
    if (board.barBlack > 0) {
        int whiteHomePoints = 0;
        for (int p = 19; p <= 24; ++p) whiteHomePoints += whiteOn(board, p) >= 2;
        if (whiteHomePoints >= 5) return 4;
    }
    for (int q = 24; q >= 6; --q) {
        if (blackOn(board, q) == 0) continue;
        int wall = 0;
        for (int k = 1; k <= 6 && q - k >= 1; ++k) wall += whiteOn(board, q - k) >= 2;
        if (wall >= 5) return 4;
    }
    return raceCategoryOf(blackRaceDistance(board), whiteRaceDistance(board));
}

int whiteRaceCategory(const Position& board) {
    if (board.barWhite > 0) {
        int blackHomePoints = 0;
        for (int p = 1; p <= 6; ++p) blackHomePoints += blackOn(board, p) >= 2;
        if (blackHomePoints >= 5) return 4;
    }
    for (int p = 1; p <= 18; ++p) {
        if (whiteOn(board, p) == 0) continue;
        int wall = 0;
        for (int k = 1; k <= 6; ++k) wall += blackOn(board, p + k) >= 2;
        if (wall >= 5) return 4;
    }
    return raceCategoryOf(whiteRaceDistance(board), blackRaceDistance(board));
}

}  // namespace lumaro
