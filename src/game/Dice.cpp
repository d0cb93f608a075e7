#include "game/Dice.h"

#include <cmath>

namespace lumaro {

void Dice::fillDiceLeft() {
    if (dieA == dieB)
        diceLeft = {0, dieA, dieA, dieA, dieA};
    else if (dieA > dieB)
        diceLeft = {0, dieA, dieB, 0, 0};
    else
        diceLeft = {0, dieB, dieA, 0, 0};
}

Dice DiceRoller::rollAutomatically(Screen& screen, bool soundFx) {
    if (soundFx) screen.play(Sound::Dice);
    const std::uint32_t passes = random.Random(5) + 1;
    Byte a = 1;
    Byte b = 1;
    for (std::uint32_t pass = 0; pass < passes; ++pass) {
        a = static_cast<Byte>((random.Random(256) + clockTicks) % 6 + 1);
        screen.delay(9);  // the timers move on meanwhile, and with them the counters
        const std::uint32_t draws = random.Random(11) + 1;
        double value = 0.0;
        for (std::uint32_t k = 0; k < draws; ++k) value = marsaglia.uni();
        const auto v = static_cast<std::uint32_t>(std::nearbyint(value * 16777216.0));
        b = static_cast<Byte>((v + slideTicks) % 6 + 1);
    }
    screen.delay(100);
    Dice dice;
    dice.dieA = a;
    dice.dieB = b;
    dice.fillDiceLeft();
    return dice;
}

bool Dice::enterManualDie(Byte key) {
    if (key < '1' || key > '6') return false;
    const Byte value = static_cast<Byte>(key - '0');
    if (dieA == 0)
        dieA = value;
    else if (dieB == 0)
        dieB = value;
    else
        return false;
    return true;
}

void Dice::useDie(Byte die) {
    if (die == 0) return;
    for (int k = 1; k <= 4; ++k) {
        if (diceLeft[k] == die) {
            diceLeft[k] = 0;
            return;
        }
    }
}

void Dice::clear() {
    dieA = 0;
    dieB = 0;
    diceLeft = {};
}

}  // namespace lumaro
