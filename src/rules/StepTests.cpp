#include "rules/StepTests.h"

namespace lumaro {
namespace {

bool validDie(int d) { return d >= 1 && d <= 6; }

// What a checker of `mover` finds on point t: 0 blocked, t open, t + 24 a blot to hit.
Byte landing(const Position& pos, int t, Byte mover) {
    if (pos.count[t] == 0 || pos.colour[t] == mover) return static_cast<Byte>(t);
    if (pos.count[t] == 1) return static_cast<Byte>(t + kHitOffset);
    return kStepImpossible;
}

bool whiteBehind(const Position& pos, int from, int to) {
    for (int q = from; q <= to; ++q)
        if (pos.hasWhite(q)) return true;
    return false;
}

bool blackBehind(const Position& pos, int from, int to) {
    for (int q = from; q <= to; ++q)
        if (pos.hasBlack(q)) return true;
    return false;
}

Byte whiteFromPoint(const Position& b, int p, int d, Byte phase) {
    if (p < 1 || p > 24 || !b.hasWhite(p)) return kStepImpossible;
    if (p + d <= 24) return landing(b, p + d, kWhite);
    if (phase != 3 && phase != 4) return kStepImpossible;
    if (p + d == 25) return kBorneOff;
    return whiteBehind(b, 19, p - 1) ? kStepImpossible : kBorneOff;
}

Byte blackFromPoint(const Position& b, int p, int d, Byte phase) {
    if (p < 1 || p > 24 || !b.hasBlack(p)) return kStepImpossible;
    if (p - d >= 1) return landing(b, p - d, kBlack);
    if (phase != 3 && phase != 4) return kStepImpossible;
    if (p == d) return kBorneOff;
    return blackBehind(b, p + 1, 6) ? kStepImpossible : kBorneOff;
}

// A checker of `side` arrives on t, which is open to it.
void arrive(Position& pos, Side side, int t) {
    const Byte own = colourOf(side);
    if (pos.count[t] > 0 && pos.colour[t] != own) {  // a hit: the blot goes to its bar
        pos.count[t] = 0;
        (side == Side::White ? pos.barBlack : pos.barWhite) += 1;
    }
    pos.count[t] += 1;
    pos.colour[t] = own;
}

}  // namespace

Byte stepResult(const Position& pos, Side side, int from, int d, Byte phase) {
    if (!validDie(d)) return kStepImpossible;
    if (from == 0) {
        if ((side == Side::White ? pos.barWhite : pos.barBlack) == 0) return kStepImpossible;
        return side == Side::White ? landing(pos, d, kWhite) : landing(pos, 25 - d, kBlack);
    }
    return side == Side::White ? whiteFromPoint(pos, from, d, phase) : blackFromPoint(pos, from, d, phase);
}

Byte stepResult(const Position& pos, Side side, int from, int d) {
    return stepResult(pos, side, from, d, side == Side::White ? whitePhaseOf(pos) : blackPhaseOf(pos));
}

void applyStep(Position& pos, Side side, int from, Byte result) {
    if (result == kStepImpossible) return;
    if (from == 0) {
        Byte& bar = side == Side::White ? pos.barWhite : pos.barBlack;
        if (bar == 0) return;
        bar -= 1;
    } else {
        if (from < 1 || from > 24 || pos.count[from] == 0) return;
        pos.count[from] -= 1;
        if (pos.count[from] == 0) pos.colour[from] = 0;
    }
    if (result == kBorneOff) {
        (side == Side::White ? pos.offWhite : pos.offBlack) += 1;
        return;
    }
    const int t = result > kHitOffset ? result - kHitOffset : result;
    if (t >= 1 && t <= 24) arrive(pos, side, t);
}

Byte whiteStepTest(const Position& pos, int p, int d) {
    if (p < 1 || p > 24 || !validDie(d)) return kStepImpossible;
    return whiteFromPoint(pos, p, d, whitePhaseOf(pos));
}

Byte blackStepTest(const Position& pos, int p, int d) {
    if (p < 1 || p > 24 || !validDie(d)) return kStepImpossible;
    return blackFromPoint(pos, p, d, blackPhaseOf(pos));
}

Byte whiteEntryTest(const Position& pos, int d) {
    if (!validDie(d)) return kStepImpossible;
    return landing(pos, d, kWhite);
}

Byte blackEntryTest(const Position& pos, int d) {
    if (!validDie(d)) return kStepImpossible;
    return landing(pos, 25 - d, kBlack);
}

bool canEnter(const Position& pos, Byte turn, const DiceLeft& diceLeft) {
    const bool white = turn == 1;
    if ((white ? pos.barWhite : pos.barBlack) == 0) return false;
    for (int k = 1; k <= 4; ++k) {
        const int d = diceLeft[k];
        if (d == 0) continue;
        if ((white ? whiteEntryTest(pos, d) : blackEntryTest(pos, d)) != kStepImpossible) return true;
    }
    return false;
}

bool canMove(const Position& pos, Byte turn, const DiceLeft& diceLeft) {
    const bool white = turn == 1;
    const Byte phase = white ? whitePhaseOf(pos) : blackPhaseOf(pos);
    for (int k = 1; k <= 4; ++k) {
        const int d = diceLeft[k];
        if (!validDie(d)) continue;
        for (int p = 1; p <= 24; ++p)
            if ((white ? whiteFromPoint(pos, p, d, phase) : blackFromPoint(pos, p, d, phase)) != kStepImpossible) return true;
    }
    return false;
}

}  // namespace lumaro
