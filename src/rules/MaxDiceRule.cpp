#include "rules/MaxDiceRule.h"

namespace lumaro {

void fillDiceHigherFirst(GeneratorWorkArea& w, Byte dieA, Byte dieB) {
    const Byte high = dieA > dieB ? dieA : dieB;
    const Byte low = dieA > dieB ? dieB : dieA;
    if (dieA == dieB)
        w.searchDice = {0, dieA, dieA, dieA, dieA};
    else
        w.searchDice = {0, high, low, 0, 0};
}

void fillDiceLowerFirst(GeneratorWorkArea& w, Byte dieA, Byte dieB) {
    const Byte high = dieA > dieB ? dieA : dieB;
    const Byte low = dieA > dieB ? dieB : dieA;
    if (dieA == dieB)
        w.searchDice = {0, dieA, dieA, dieA, dieA};
    else
        w.searchDice = {0, low, high, 0, 0};
}

Play maximalPlay(const Position& start, bool white, Byte dieA, Byte dieB) {
    GeneratorWorkArea w;
    w.level[0] = start;
    NoStepObserver none;
    generateBothOrders(w, white, dieA, dieB, none);
    return w.bestPath;
}

int fallsShortOfMaximalPlay(const Position& snapshot, Byte dieA, Byte dieB, Byte turn, const DiceLeft& diceLeft) {
    const Play best = maximalPlay(snapshot, turn == 1, dieA, dieB);
    GeneratorWorkArea w;
    fillDiceHigherFirst(w, dieA, dieB);  // so that searchDice[k] pairs with diceLeft[k]
    int used = 0;
    for (int k = 1; k <= 4; ++k)
        if (diceLeft[k] == 0) used += w.searchDice[k];
    const int bestTotal = diceTotal(best);
    return bestTotal > 0 && bestTotal > used ? 1 : 0;
}

}  // namespace lumaro
