#pragma once
// The dice of the current turn, and the generators that roll them.
#include "rules/StepTests.h"
#include "game/Random.h"
#include "game/Screen.h"

namespace lumaro {

struct Dice {
    Byte dieA = 0;  // 0 = no die
    Byte dieB = 0;
    DiceLeft diceLeft{};  // slots 1..4: higher die first, four slots for a doublet, 0 once played

    // Fills diceLeft from dieA and dieB.
    void fillDiceLeft();
    // Manual entry, one key at a time: a digit 1..6 fills dieA first, then dieB; anything else is
    // ignored. Returns true when the key was taken.
    bool enterManualDie(Byte key);
    bool bothEntered() const { return dieA != 0 && dieB != 0; }
    bool anyLeft() const { return diceLeft[1] || diceLeft[2] || diceLeft[3] || diceLeft[4]; }
    // Marks the first slot holding `die` as played.
    void useDie(Byte die);
    void clear();
};

// Where automatic dice come from: two generators and the counters of the window's timers mixed
// into them, and the key a manual roll waits for.
struct DiceRoller {
    Byte pendingKey = 0;  // last character typed or sent by a manual dice button
    Byte clockTicks = 0;  // advanced by the 107 ms clock timer
    Byte slideTicks = 0;  // advanced by the 15 ms menu-slide timer
    RuntimeRandom random;
    MarsagliaZaman marsaglia;

    // Rolls both dice: dieA from the runtime generator plus the clock counter, dieB from the
    // Marsaglia-Zaman generator plus the slide counter; 1..5 passes with short waits, the last one
    // counts. diceLeft is filled.
    Dice rollAutomatically(Screen& screen, bool soundFx);
};

// Advances a byte tick counter, 255 back to 0.
inline void tick(Byte& counter) { counter = static_cast<Byte>(counter + 1); }

}  // namespace lumaro
