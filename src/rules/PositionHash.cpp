#include "rules/PositionHash.h"

namespace lumaro {
namespace {

PositionKeys makeKeys() {
    PositionKeys keys;
    std::uint64_t state = 0x2545f4914f6cdd1dull;
    auto next = [&state]() {
        state += 0x9e3779b97f4a7c15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    };
    for (auto& colours : keys.point)
        for (auto& counts : colours)
            for (int n = 1; n < 16; ++n) counts[n] = next();
    for (auto* table : {&keys.bar, &keys.off})
        for (auto& counts : *table)
            for (int n = 1; n < 16; ++n) counts[n] = next();
    return keys;
}

}  // namespace

const PositionKeys& positionKeys() {
    static const PositionKeys keys = makeKeys();
    return keys;
}

std::uint64_t positionHash(const Position& pos) {
    const PositionKeys& k = positionKeys();
    std::uint64_t h = 0;
    for (int p = 1; p <= 24; ++p)
        if (pos.count[p] > 0) h ^= k.point[p][pos.colour[p] & 1][pos.count[p] & 15];
    h ^= k.bar[kWhite][pos.barWhite & 15] ^ k.bar[kBlack][pos.barBlack & 15];
    h ^= k.off[kWhite][pos.offWhite & 15] ^ k.off[kBlack][pos.offBlack & 15];
    return h;
}

}  // namespace lumaro
