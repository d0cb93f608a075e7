#include "ai/OpeningBook.h"

namespace lumaro {
namespace {

struct BookLine {
    Byte points[4];
    Byte dice[4];
};

struct BookEntry {
    Byte high;
    Byte low;
    BookLine above50;  // r > 50
    BookLine otherwise;
    bool twoLines;
};

constexpr BookEntry kBook[] = {
    {2, 1, {{13, 6}, {2, 1}}, {{24, 13}, {1, 2}}, true},
    {3, 1, {{8, 6}, {3, 1}}, {}, false},
    {4, 1, {{24, 13}, {1, 4}}, {{13, 6}, {4, 1}}, true},
    {5, 1, {{24, 13}, {1, 5}}, {{13, 6}, {5, 1}}, true},
    {6, 1, {{13, 8}, {6, 1}}, {}, false},
    {3, 2, {{24, 13}, {3, 2}}, {{13, 13}, {3, 2}}, true},
    {4, 2, {{8, 6}, {4, 2}}, {}, false},
    {5, 2, {{13, 13}, {2, 5}}, {{24, 13}, {2, 5}}, true},
    {6, 2, {{24, 13}, {6, 2}}, {{24, 18}, {6, 2}}, true},
    {4, 3, {{13, 13}, {3, 4}}, {{24, 13}, {4, 3}}, true},
    {5, 3, {{8, 6}, {5, 3}}, {}, false},
    {6, 3, {{24, 13}, {6, 3}}, {{24, 18}, {6, 3}}, true},
    {5, 4, {{24, 13}, {4, 5}}, {{13, 13}, {5, 4}}, true},
    {6, 4, {{24, 18}, {6, 4}}, {{24, 13}, {6, 4}}, true},
    {6, 5, {{24, 18}, {6, 5}}, {}, false},
    {1, 1, {{8, 8, 6, 6}, {1, 1, 1, 1}}, {}, false},
    {2, 2, {{24, 24, 22, 22}, {2, 2, 2, 2}}, {{13, 13, 6, 6}, {2, 2, 2, 2}}, true},
    {3, 3, {{24, 24, 8, 8}, {3, 3, 3, 3}}, {}, false},
    {4, 4, {{24, 24, 13, 13}, {4, 4, 4, 4}}, {}, false},
    {5, 5, {{13, 13, 8, 8}, {5, 5, 5, 5}}, {}, false},
    {6, 6, {{24, 24, 13, 13}, {6, 6, 6, 6}}, {}, false},
};

const BookEntry* entryFor(Byte dieA, Byte dieB) {
    const Byte high = dieA > dieB ? dieA : dieB;
    const Byte low = dieA > dieB ? dieB : dieA;
    for (const BookEntry& entry : kBook)
        if (entry.high == high && entry.low == low) return &entry;
    return nullptr;
}

}  // namespace

bool openingHasTwoLines(Byte dieA, Byte dieB) {
    const BookEntry* entry = entryFor(dieA, dieB);
    return entry && entry->twoLines;
}

Play openingLine(Byte dieA, Byte dieB, bool white, bool firstLine) {
    Play play{};
    const BookEntry* entry = entryFor(dieA, dieB);
    if (!entry) return play;
    const BookLine& line = firstLine || !entry->twoLines ? entry->above50 : entry->otherwise;
    for (int k = 0; k < 4 && line.dice[k] != 0; ++k) {
        const Byte p = line.points[k];
        play[k + 1] = Step{static_cast<Byte>(white ? 25 - p : p), line.dice[k]};
    }
    return play;
}

}  // namespace lumaro
