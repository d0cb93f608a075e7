#pragma once
// The play generator: a depth-first walk over every sequence of up to four single steps (one per
// die) on private copies of a start position. Every prefix is recorded: the path so far is compared
// with the best play by pips and handed to the caller's step observer, which is how the computer
// scores candidates. Levels are re-copied from their parent before each candidate instead of undoing
// a step. No lists, no allocation: the work area is a fixed record, so searches can run side by side.
#include <array>
#include <type_traits>
#include <utility>

#include "rules/Position.h"
#include "rules/PositionHash.h"

namespace lumaro {

struct Step {
    Byte point = 0;  // the point the checker leaves; for an entry, the entry point
    Byte die = 0;    // 0 ends the play
    bool operator==(const Step&) const = default;
};

// Steps 1..4 (slot 0 unused).
using Play = std::array<Step, 5>;

inline int diceTotal(const Play& play) { return play[1].die + play[2].die + play[3].die + play[4].die; }

struct GeneratorWorkArea {
    std::array<Position, 5> level{};  // level 0: the start position; 1..4 after each step
    std::array<std::uint64_t, 5> hash{};  // positionHash of each level, kept step by step
    std::array<Byte, 5> searchDice{};
    Play path{};
    Play bestPath{};  // the first play found with the largest dice total
};

// searchDice from a roll: higher (or lower) die first; a doublet four times.
void fillDiceHigherFirst(GeneratorWorkArea& w, Byte dieA, Byte dieB);
void fillDiceLowerFirst(GeneratorWorkArea& w, Byte dieA, Byte dieB);

// Observers see (work area, level) after each recorded step. An observer that returns bool can
// answer false to skip the plays that continue from this step (it has seen them already).
// This one sees nothing.
struct NoStepObserver {
    void operator()(const GeneratorWorkArea&, int) const {}
};

namespace detail {

inline bool openFor(const Position& pos, int t, Byte mover) {
    return pos.count[t] == 0 || pos.colour[t] == mover || pos.count[t] == 1;
}

// A checker of `mover` arrives on t (which is open); `h` follows the position.
inline void gainChecker(Position& pos, std::uint64_t& h, int t, Byte mover) {
    const PositionKeys& k = positionKeys();
    const int n = pos.count[t] & 15;
    if (n == 0) {
        pos.count[t] = 1;
        pos.colour[t] = mover;
        h ^= k.point[t][mover][1];
    } else if (pos.colour[t] == mover) {
        pos.count[t] += 1;
        h ^= k.point[t][mover][n] ^ k.point[t][mover][(n + 1) & 15];
    } else {  // a hit
        const Byte opponent = mover ^ 1;
        pos.colour[t] = mover;
        h ^= k.point[t][opponent][1] ^ k.point[t][mover][1];
        Byte& bar = mover == kWhite ? pos.barBlack : pos.barWhite;
        h ^= k.bar[opponent][bar & 15] ^ k.bar[opponent][(bar + 1) & 15];
        bar += 1;
    }
}

// A checker leaves point i; an emptied point forgets its colour, so equal positions are equal bytes.
inline void loseChecker(Position& pos, std::uint64_t& h, int i) {
    const PositionKeys& k = positionKeys();
    const int n = pos.count[i] & 15;
    const Byte c = pos.colour[i] & 1;
    h ^= k.point[i][c][n] ^ k.point[i][c][(n - 1) & 15];
    pos.count[i] -= 1;
    if (pos.count[i] == 0) pos.colour[i] = 0;
}

// One more checker of `colour` on the bar (delta -1) or off (+1 borne off).
inline void leaveBar(Position& pos, std::uint64_t& h, Byte colour) {
    Byte& bar = colour == kWhite ? pos.barWhite : pos.barBlack;
    h ^= positionKeys().bar[colour][bar & 15] ^ positionKeys().bar[colour][(bar - 1) & 15];
    bar -= 1;
}

inline void bearOff(Position& pos, std::uint64_t& h, Byte colour) {
    Byte& off = colour == kWhite ? pos.offWhite : pos.offBlack;
    h ^= positionKeys().off[colour][off & 15] ^ positionKeys().off[colour][(off + 1) & 15];
    off += 1;
}

template <class Observer>
inline bool recordStep(GeneratorWorkArea& w, int level, int point, int die, Observer& observer) {
    w.path[level] = Step{static_cast<Byte>(point), static_cast<Byte>(die)};
    for (int k = level + 1; k <= 4; ++k) w.path[k] = Step{};
    if (diceTotal(w.path) > diceTotal(w.bestPath)) w.bestPath = w.path;
    const GeneratorWorkArea& seen = w;
    if constexpr (std::is_same_v<decltype(observer(seen, level)), bool>) {
        return observer(seen, level);
    } else {
        observer(seen, level);
        return true;
    }
}

}  // namespace detail

template <class Observer>
void generateWhitePlays(GeneratorWorkArea& w, int level, Observer& observer);
template <class Observer>
void generateBlackPlays(GeneratorWorkArea& w, int level, Observer& observer);

template <class Observer>
void generateWhitePlays(GeneratorWorkArea& w, int level, Observer& observer) {
    const int d = w.searchDice[level];
    if (d < 1 || d > 6) return;
    if (level == 1) w.hash[0] = positionHash(w.level[0]);
    const Position& parent = w.level[level - 1];
    Position& here = w.level[level];
    std::uint64_t& h = w.hash[level];
    const bool deeper = level < 4 && w.searchDice[level + 1] != 0;
    const Byte phase = whitePhaseOf(parent);
    auto descend = [&](int point) {
        if (detail::recordStep(w, level, point, d, observer) && deeper) generateWhitePlays(w, level + 1, observer);
    };
    if (phase == 1) {
        // Only the entry point of this die can take a checker from the bar.
        if (detail::openFor(parent, d, kWhite)) {
            here = parent;
            h = w.hash[level - 1];
            detail::leaveBar(here, h, kWhite);
            detail::gainChecker(here, h, d, kWhite);
            descend(d);
        }
        return;
    }
    const bool bearingOff = phase == 3 || phase == 4;
    for (int i = 1; i <= 24; ++i) {
        if (!parent.hasWhite(i)) continue;
        if (i + d <= 24) {
            if (!detail::openFor(parent, i + d, kWhite)) continue;
            here = parent;
            h = w.hash[level - 1];
            detail::loseChecker(here, h, i);
            detail::gainChecker(here, h, i + d, kWhite);
            descend(i);
        } else if (bearingOff) {
            bool behind = false;
            if (i + d > 25)
                for (int q = 19; q < i && !behind; ++q) behind = parent.hasWhite(q);
            if (behind) continue;
            here = parent;
            h = w.hash[level - 1];
            detail::loseChecker(here, h, i);
            detail::bearOff(here, h, kWhite);
            descend(i);
        }
    }
}

template <class Observer>
void generateBlackPlays(GeneratorWorkArea& w, int level, Observer& observer) {
    const int d = w.searchDice[level];
    if (d < 1 || d > 6) return;
    if (level == 1) w.hash[0] = positionHash(w.level[0]);
    const Position& parent = w.level[level - 1];
    Position& here = w.level[level];
    std::uint64_t& h = w.hash[level];
    const bool deeper = level < 4 && w.searchDice[level + 1] != 0;
    const Byte phase = blackPhaseOf(parent);
    auto descend = [&](int point) {
        if (detail::recordStep(w, level, point, d, observer) && deeper) generateBlackPlays(w, level + 1, observer);
    };
    if (phase == 1) {
        const int entry = 25 - d;
        if (detail::openFor(parent, entry, kBlack)) {
            here = parent;
            h = w.hash[level - 1];
            detail::leaveBar(here, h, kBlack);
            detail::gainChecker(here, h, entry, kBlack);
            descend(entry);
        }
        return;
    }
    const bool bearingOff = phase == 3 || phase == 4;
    for (int i = 1; i <= 24; ++i) {
        if (!parent.hasBlack(i)) continue;
        if (d < i) {
            if (!detail::openFor(parent, i - d, kBlack)) continue;
            here = parent;
            h = w.hash[level - 1];
            detail::loseChecker(here, h, i);
            detail::gainChecker(here, h, i - d, kBlack);
            descend(i);
        } else if (bearingOff) {
            bool behind = false;
            if (i < d)
                for (int q = i + 1; q <= 6 && !behind; ++q) behind = parent.hasBlack(q);
            if (behind) continue;
            here = parent;
            h = w.hash[level - 1];
            detail::loseChecker(here, h, i);
            detail::bearOff(here, h, kBlack);
            descend(i);
        }
    }
}

// Runs the generator of one side (white = true) over both dice orders, as the max-dice rule and the
// computer do: higher die first, then (for two different dice) lower first. bestPath carries over.
template <class Observer>
void generateBothOrders(GeneratorWorkArea& w, bool white, Byte dieA, Byte dieB, Observer& observer) {
    fillDiceHigherFirst(w, dieA, dieB);
    if (white)
        generateWhitePlays(w, 1, observer);
    else
        generateBlackPlays(w, 1, observer);
    if (dieA != dieB) {
        fillDiceLowerFirst(w, dieA, dieB);
        if (white)
            generateWhitePlays(w, 1, observer);
        else
            generateBlackPlays(w, 1, observer);
    }
}

}  // namespace lumaro
