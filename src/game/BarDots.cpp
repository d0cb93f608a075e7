#include "game/BarDots.h"

namespace lumaro {
namespace {

bool openForWhite(const Position& b, int t) { return t >= 1 && t <= 24 && (b.count[t] == 0 || b.colour[t] == kWhite || b.count[t] == 1); }

}  // namespace

BarDots barDotsForPoint(const Game& game, int p) {
    BarDots dots{};
    const Position& b = game.state().position();
    if (!game.options().showBarDots || b.barWhite > 0 || p < 1 || p > 24 || game.state().sideToMove() != Side::White) return dots;
    if (!b.hasWhite(p)) return dots;
    const DiceLeft& left = game.state().dice().diceLeft;
    auto mark = [&](int t, Dot dot) {
        if (t >= 1 && t <= 24) dots[static_cast<std::size_t>(t)] = dot;
    };
    for (int k = 1; k <= 4; ++k)
        if (left[k] != 0 && p + left[k] <= 24 && openForWhite(b, p + left[k])) mark(p + left[k], Dot::Yellow);
    const int d1 = left[1], d2 = left[2];
    if (d1 != 0 && d2 != 0 && d1 != d2 && p + d1 + d2 <= 24 && (openForWhite(b, p + d1) || openForWhite(b, p + d2)) &&
        openForWhite(b, p + d1 + d2))
        mark(p + d1 + d2, Dot::Aqua);
    const int f = game.state().dice().dieA;
    if (f > 0 && game.state().dice().dieA == game.state().dice().dieB) {
        const int sum = left[1] + left[2] + left[3] + left[4];
        if (sum >= 2 * f && p + 2 * f <= 24 && openForWhite(b, p + f) && openForWhite(b, p + 2 * f)) {
            mark(p + 2 * f, Dot::Aqua);
            if (sum >= 3 * f && p + 3 * f <= 24 && openForWhite(b, p + 3 * f)) {
                mark(p + 3 * f, Dot::Aqua);
                if (sum == 4 * f && p + 4 * f <= 24 && openForWhite(b, p + 4 * f)) mark(p + 4 * f, Dot::Aqua);
            }
        }
    }
    return dots;
}

BarDots barDotsForBar(const Game& game) {
    BarDots dots{};
    const Position& b = game.state().position();
    if (!game.options().showBarDots || b.barWhite == 0 || game.state().sideToMove() != Side::White) return dots;
    for (int k = 1; k <= 4; ++k) {
        const int d = game.state().dice().diceLeft[k];
        if (d != 0 && openForWhite(b, d)) dots[static_cast<std::size_t>(d)] = Dot::Yellow;
    }
    return dots;
}

}  // namespace lumaro
